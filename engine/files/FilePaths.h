#ifndef CHIRPWELL_ENGINE_FILES_FILEPATHS_H
#define CHIRPWELL_ENGINE_FILES_FILEPATHS_H

#include <string>
#include <system_error>

#include <sys/types.h>

// What a path names once symbolic links are followed. Paths are file-system bytes.

// The path that a write to path reaches: every symbolic link at its end followed
// (a relative link from the link's own folder), up to a path that names one of the
// process's descriptors, whose link would only name what the descriptor reaches.
// The target may not exist yet, as with a dangling link. False with the system's
// reason, or ELOOP after too many links.
bool FollowLinks(const std::string& path, std::string& target, std::error_code& error);

// The folder part of path with its last slash ("" for a bare name).
std::string FolderOf(const std::string& path);

// True when path names one of the process's own descriptors, given in fd:
// /dev/stdin, /dev/stdout, /dev/stderr, /dev/fd/N or /proc/self/fd/N.
bool DescriptorOfPath(const std::string& path, int& fd);

// Which file a path names, to tell two names of one file from two files: the device
// and inode of what exists, else the resolved folder and the name.
struct CFileIdentity {
    bool m_bExists = false;
    bool m_bRegular = false;  // a regular file, which one write would replace
    dev_t m_nDevice = 0;
    ino_t m_nInode = 0;
    std::string m_strPlace;  // for what does not exist yet

    bool operator==(const CFileIdentity& other) const;
};

// The identity of what path names; a descriptor's path names the descriptor's file.
// False when it can be told neither way (a folder that cannot be read, say).
bool IdentifyPath(const std::string& path, CFileIdentity& identity);
bool IdentifyDescriptor(int fd, CFileIdentity& identity);

#endif
