#ifndef CHIRPWELL_ENGINE_FILEPATHS_H
#define CHIRPWELL_ENGINE_FILEPATHS_H

#include <string>
#include <system_error>

// What a path names once symbolic links are followed. Paths are file-system bytes.

// The path that a write to path reaches: every symbolic link at its end followed
// (a relative link from the link's own folder). The target may not exist yet, as
// with a dangling link. False with the system's reason, or ELOOP after too many
// links.
bool FollowLinks(const std::string& path, std::string& target, std::error_code& error);

// The folder part of path with its last slash ("" for a bare name).
std::string FolderOf(const std::string& path);

// True when both paths name one file: the same device and inode where both exist,
// else the same final path once links and "." and ".." are resolved.
bool SameFile(const std::string& left, const std::string& right);

#endif
