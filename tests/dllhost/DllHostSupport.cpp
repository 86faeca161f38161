#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "DllHostCases.h"
#include "KXIdentifiers.h"
#include "THostLiteCheck.h"
#include "THostLiteFile.h"

THostLiteBytes::THostLiteBytes(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return;
  std::fseek(file, 0, SEEK_END);
  const long length = std::ftell(file);
  std::fseek(file, 0, SEEK_SET);
  data_ = static_cast<char*>(std::malloc(static_cast<std::size_t>(length) + 1));
  size_ = std::fread(data_, 1, static_cast<std::size_t>(length), file);
  data_[size_] = '\0';
  std::fclose(file);
}

THostLiteBytes::~THostLiteBytes() { std::free(data_); }

std::size_t THostLiteBytes::EndOfLineAfter(const char* from, const char* after) const {
  if (!data_) return 0;
  const char* start = std::strstr(data_, from);
  const char* line = start ? std::strstr(start, after) : nullptr;
  const char* end = line ? std::strchr(line, '\n') : nullptr;
  return end ? static_cast<std::size_t>(end + 1 - data_) : 0;
}

namespace {

// The line of `bytes` that holds `offset`, cut to 100 characters.
void LineAt(const THostLiteBytes& bytes, std::size_t offset, char (&line)[101]) {
  std::size_t start = offset < bytes.Size() ? offset : bytes.Size();
  while (start > 0 && bytes.Data()[start - 1] != '\n') --start;
  std::size_t length = 0;
  while (start + length < bytes.Size() && bytes.Data()[start + length] != '\n' && length < 100) {
    ++length;
  }
  std::memcpy(line, bytes.Data() + start, length);
  line[length] = '\0';
}

}  // namespace

void HostCheckSameBytes(const THostLiteBytes& written, const THostLiteBytes& reference,
                        std::size_t length) {
  const std::size_t common = written.Size() < length ? written.Size() : length;
  std::size_t at = 0;
  while (at < common && written.Data()[at] == reference.Data()[at]) ++at;
  if (HOST_CHECK(at == length && written.Size() == length)) return;
  long line = 1;
  for (std::size_t i = 0; i < at; ++i) line += reference.Data()[i] == '\n' ? 1 : 0;
  char mine[101];
  char theirs[101];
  LineAt(written, at, mine);
  LineAt(reference, at, theirs);
  HostSay("  first difference at byte %lu, line %ld:\n    written:  %s\n    expected: %s",
          static_cast<unsigned long>(at), line, mine, theirs);
}

void HostJoinPath(char* path, const char* folder, const char* name) {
  const std::size_t folderLength = std::strlen(folder);
  const std::size_t nameLength = std::strlen(name);
  path[0] = '\0';
  if (folderLength + nameLength + 2 > 1024) return;
  std::memcpy(path, folder, folderLength);
  path[folderLength] = '/';
  std::memcpy(path + folderLength + 1, name, nameLength + 1);
}

IKXExporter* HostMakeExporter(THostLiteDll& dll) {
  void* factory = nullptr;
  if (dll.GetClassObject(&kKXCLSIDT3DExporter, &kKXIIDClassFactory, &factory) != kKXOk) {
    return nullptr;
  }
  auto* classFactory = static_cast<IKXClassFactory*>(factory);
  void* exporter = nullptr;
  classFactory->CreateInstance(nullptr, kKXIIDExporter, &exporter);
  classFactory->Release();
  return static_cast<IKXExporter*>(exporter);
}

void HostCheckWhole(THostLiteShell& shell) {
  HOST_CHECK_EQ(HostLedger().outstanding, 0);
  HOST_CHECK_EQ(HostLedger().underflows, 0);
  HOST_CHECK_EQ(shell.Memory().LiveObjects(), 0);
  HOST_CHECK_EQ(shell.Memory().LiveBlocks(), 0);
  HOST_CHECK_EQ(THostLiteFile::Live(), 0);
}

void HostStartCase() { HostLedger() = THostLiteLedger{}; }
