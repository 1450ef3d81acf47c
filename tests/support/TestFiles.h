// A fresh folder per test, removed with everything in it afterwards, and
// raw access to database files for checking what the library wrote.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

bool FileExists(const std::string& path);
// Makes the folder name in dir with exactly the permission bits mode,
// whatever the umask, and gives its path.
std::string FolderIn(const TempDir& dir, const std::string& name, unsigned mode);
// How many descriptors this process has open (the look's own included).
int OpenDescriptors();
// How many threads this process runs, as the kernel lists them.
int ThreadsOfThisProcess();
// How many record locks (fcntl, of the process, as the engine takes them)
// this process has on the file at path, as the kernel lists them.
int RecordLocksOn(const std::string& path);
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);

// Runs statements on a database file with the engine directly (creating it).
void RawExec(const std::string& database, const std::string& sql);
// The rows of a query, each row its columns as text ("<null>" for NULL).
std::vector<std::vector<std::string>> RawQuery(const std::string& database, const std::string& sql);

// Runs sql on the database at path and leaves its changes committed to the
// log only, as a session killed before it wrote the log back leaves them.
void LeaveInTheLog(const std::string& database, const std::string& sql);

// The connection string the library's store uses, for a file.
std::string ConnectionStringFor(const std::string& path);

// Runs body as a user without root's power over files: at once when the
// tests run as such a user; as root, in a forked child that gives root up,
// with dir opened to it. The child's failures show as they happen and fail
// the test that called.
void AsUnprivilegedUser(const TempDir& dir, const std::function<void()>& body);
// Gives root up for good, becoming an ordinary user (uid 65534), in a child
// of the tests' own; true at once for a process that is no root.
bool BecomeUnprivileged();
