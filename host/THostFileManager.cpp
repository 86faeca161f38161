#include "THostFileManager.h"

#include <algorithm>

#include "THostFile.h"

THostFileManager::THostFileManager() : THostService(kKXIIDFileManager) {}

THostFileManager::~THostFileManager() = default;

char THostFileManager::GetPathSeparator() { return separator_; }

KXResult THostFileManager::NewFileSpec(IKXFileSpec** fileSpec) {
  if (faults_.NewFilesRefused()) return THostStore(THostSlot(fileSpec), nullptr);
  return THostStore(THostSlot(fileSpec), static_cast<IKXFileSpec*>(MakeFile(true)));
}

THostRef<IKXFileStream> THostFileManager::NewDestination(const std::string& path) {
  THostFile* file = MakeFile(false);
  file->SetPathText(path);
  file->AddRef();
  return THostRef<IKXFileStream>(file);
}

std::int32_t THostFileManager::LiveFileObjects() const {
  return static_cast<std::int32_t>(std::count_if(
      files_.begin(), files_.end(), [](const auto& file) { return file->MadeForPlugin(); }));
}

KXFileInfo THostFileManager::InfoOf(const std::string& path) const {
  const auto found = infos_.find(path);
  return found == infos_.end() ? DefaultInfo() : found->second;
}

KXFileInfo THostFileManager::DefaultInfo() {
  KXFileInfo info{};
  for (std::size_t i = 0; i < sizeof info.host; ++i) info.host[i] = static_cast<std::uint8_t>(0x40 + i);
  info.type = KXFourChar('?', '?', '?', '?');
  info.creator = KXFourChar('?', '?', '?', '?');
  return info;
}

THostFile* THostFileManager::MakeFile(bool forPlugin) {
  files_.push_back(std::make_unique<THostFile>(*this, forPlugin));
  if (forPlugin) ++made_;
  return files_.back().get();
}

THostFile* THostFileManager::FindBySpec(const IKXFileSpec* fileSpec) const {
  for (const auto& file : files_) {
    if (static_cast<const IKXFileSpec*>(file.get()) == fileSpec) return file.get();
  }
  return nullptr;
}

void THostFileManager::Destroy(THostFile* file) {
  files_.erase(std::find_if(files_.begin(), files_.end(),
                            [file](const auto& owned) { return owned.get() == file; }));
}
