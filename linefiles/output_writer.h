#pragma once
#include "linefiles/line_array.h"

enum class WriteResult { Written, CannotOpen, WriteFailed };

// Removes the one file that path names, read-only, hidden or system ones too; never a folder,
// a volume label or anything a wildcard could match. Failures are ignored.
void RemovePreviousOutput(const char* path);

// Adds every line, followed by CR LF, after the content of the file at path, creating it when
// missing; one open for all the lines. Without lines nothing is opened or created. After
// WriteFailed the file keeps whatever the system took before the failing write.
WriteResult AppendLines(const char* path, const LineArray& lines);
