// The input a file stream reads differently from the abstract stream: paths relative to its file.
#include "KXRelativePath.h"
#include "KXString.h"
#include "KXTextStream.h"

void TKXTextStream::ReadPath(char* out) {
  char text[kKXQuotedAreaSize];
  ReadQuoted(text);
  TKXString1023 ownPath;
  OwnPath(ownPath);
  ResolveRelativePath(text, out, kKXPathAreaSize, ownPath.Buffer());
}
