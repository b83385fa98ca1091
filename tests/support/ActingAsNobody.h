// The process acts as the user nobody while the object lives, so that a
// test run as root meets the file modes that a user meets: root reads a
// file whatever its mode. Run by another user, the test meets them anyway
// and nothing changes. Acting() says whether the modes now hold.
#pragma once

#include <unistd.h>

class TActingAsNobody {
public:
    TActingAsNobody() : FSwitched(::geteuid() == 0 && Switch()), FActing(FSwitched || ::geteuid() != 0) {}
    ~TActingAsNobody()
    {
        // The saved user, still root, lets the effective one come back.
        if (FSwitched && ::setresuid(-1, 0, -1) == 0)
            ::setresgid(-1, 0, -1);
    }
    TActingAsNobody(const TActingAsNobody &) = delete;
    TActingAsNobody &operator=(const TActingAsNobody &) = delete;

    bool Acting() const { return FActing; }

private:
    static constexpr uid_t Nobody = 65534;

    // The group first: once the user is nobody, it may not change.
    static bool Switch()
    {
        if (::setresgid(-1, Nobody, -1) != 0)
            return false;
        if (::setresuid(-1, Nobody, -1) == 0)
            return true;
        ::setresgid(-1, 0, -1);
        return false;
    }

    bool FSwitched;
    bool FActing;
};
