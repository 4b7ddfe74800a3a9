#pragma once
// Directory listing through a handle of the folder itself, with the wide names: each
// subfolder is opened without following a link and checked before it is listed.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace scourix {

// `dir` is an exact path (see exactFormOf) ending with '\'. A folder reached through a link
// (a junction, a symbolic link) is listed only when followLink is set; nullptr when it
// cannot be listed. `listedId` is the folder's file id as its parent's listing gave it
// (0: unknown): a folder that has another one now has been swapped since, and is refused.
std::unique_ptr<DirListing> openWin32Listing(const std::wstring& dir, bool followLink,
                                             std::uint64_t listedId = 0);

// The facts of the file at an exact path, not following a link; its number as the
// listings give it.
FileLookup lookUpWin32File(const std::wstring& path, FileFacts& facts);

// 100-nanosecond intervals between 1601-01-01 and 1970-01-01.
constexpr std::int64_t kEpochDifference = 116444736000000000LL;

// A FILETIME count of 100-nanosecond ticks since 1601 as seconds since 1970, rounded
// towards minus infinity.
std::int64_t unixSecondsFromTicks(std::int64_t ticks);

}  // namespace scourix
