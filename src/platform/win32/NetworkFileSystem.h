// Whether a project lies on a file system that processes of several
// machines reach: there the engine's index of its log (-shm), which every
// process using a file must share as memory, is not one memory for them
// all, so writers of two machines would each write by an index the other
// does not see.
#pragma once
#include <string>

// Whether the file or folder at path lies on a network or cluster file
// system (NFS, SMB/CIFS, AFS, Ceph, Lustre, GPFS, 9p), as the type statfs
// gives for it tells; false where it cannot be looked at. FUSE is none of
// these: local file systems (an encrypted home, a container's root) share
// its type with those that reach other machines.
bool OnNetworkFileSystem(const std::string& path);
// The same for the file open at fd, by fstatfs.
bool OnNetworkFileSystem(int fd);
