#pragma once
// Permission checks as a user the permission bits apply to. The superuser
// passes every such check, so a suite run as root lets the check run as the
// user and group 65534 ("nobody"), real and effective IDs alike (so access()
// answers as that user too), and takes root's identity back afterwards: the
// saved user ID stays root's. Folders a check locks down are handed to that
// user first, so what fails is the missing permission, not the way there.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <grp.h>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace zt::testing {

inline constexpr uid_t kUnprivilegedId = 65534;

// Whether a new file can be made in `folder` by whoever runs now.
inline bool canCreateIn(const std::filesystem::path& folder)
{
    const std::filesystem::path probe = folder / ".zt-write-probe";
    const int fd = ::open(probe.c_str(), O_CREAT | O_EXCL | O_WRONLY, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

// Makes the user the checks run as the owner of `path` (nothing to do
// unless the suite runs as root).
inline void handOver(const std::filesystem::path& path)
{
    if (::geteuid() == 0 && ::chown(path.c_str(), kUnprivilegedId, kUnprivilegedId) != 0)
        ADD_FAILURE() << "cannot hand " << path << " to user " << kUnprivilegedId << ": " << std::strerror(errno);
}

// While it lives, the process runs as a user without privileges: itself
// when that is not root, else user and group 65534.
class AsUnprivilegedUser {
public:
    AsUnprivilegedUser()
    {
        if (::geteuid() != 0)
            return;
        root_ = true;
        ::getresuid(&ruid_, &euid_, &suid_);
        ::getresgid(&rgid_, &egid_, &sgid_);
        groups_.resize(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
        if (::getgroups(static_cast<int>(groups_.size()), groups_.data()) < 0)
            groups_.clear();
        const gid_t group = kUnprivilegedId;
        if (::setgroups(1, &group) != 0 || ::setresgid(group, group, static_cast<gid_t>(-1)) != 0 ||
            ::setresuid(kUnprivilegedId, kUnprivilegedId, static_cast<uid_t>(-1)) != 0) {
            reason_ = std::string("root cannot take on user 65534 here: ") + std::strerror(errno);
            restore();
        }
    }
    ~AsUnprivilegedUser() { restore(); }
    AsUnprivilegedUser(const AsUnprivilegedUser&) = delete;
    AsUnprivilegedUser& operator=(const AsUnprivilegedUser&) = delete;

    // False (with the reason) when root could not give up its rights.
    bool active() const { return reason_.empty(); }
    const std::string& reason() const { return reason_; }

    // Root again, before the object ends (for checks made as root).
    void restore()
    {
        if (!root_ || restored_)
            return;
        restored_ = true;
        // The user first: only root may set the groups back.
        if (::setresuid(ruid_, euid_, suid_) != 0 || ::setresgid(rgid_, egid_, sgid_) != 0 ||
            ::setgroups(groups_.size(), groups_.data()) != 0) {
            // The rest of the suite would run as the wrong user.
            std::fprintf(stderr, "cannot take root's identity back: %s\n", std::strerror(errno));
            std::abort();
        }
    }

private:
    bool root_ = false;
    bool restored_ = false;
    uid_t ruid_ = 0, euid_ = 0, suid_ = 0;
    gid_t rgid_ = 0, egid_ = 0, sgid_ = 0;
    std::vector<gid_t> groups_;
    std::string reason_;
};

} // namespace zt::testing
