#pragma once
#include "linefiles/line_array.h"

// CannotOpen: the path names no file, or the file there may not be changed (held open by
// another program, read-only for appending, a folder); nothing was written. WriteFailed: the
// new content could not be written completely or put in place. After either, the file at the
// path is exactly as it was and no temporary file is left.
enum class WriteResult { Written, CannotOpen, WriteFailed };

// Removes the one file that path names, read-only, hidden or system ones too; never a folder,
// a volume label or anything a wildcard could match. False when such a file is still there.
bool RemovePreviousOutput(const char* path);

// Makes the file at path hold its old content followed by every line with CR LF, creating it
// when missing; a read-only file is refused. Without lines nothing is opened or created.
WriteResult AppendLines(const char* path, const LineArray& lines);

// Makes the file at path hold exactly every line with CR LF, replacing a read-only, hidden or
// system file too; without lines the file is removed and none is created.
WriteResult ReplaceWithLines(const char* path, const LineArray& lines);
