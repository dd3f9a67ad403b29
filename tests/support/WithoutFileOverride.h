#pragma once

// For its lifetime, this thread meets file permissions as an ordinary user does: the
// superuser's rights to read, write and search any file are set aside (and come back
// afterwards), so a test can lock a folder with chmod and see the program refused,
// whoever runs it.
class WithoutFileOverride {
public:
    WithoutFileOverride();
    ~WithoutFileOverride();
    WithoutFileOverride(const WithoutFileOverride&) = delete;
    WithoutFileOverride& operator=(const WithoutFileOverride&) = delete;

private:
    bool changed_ = false;
    int securebits_ = 0;
    unsigned effective_[2] = {0, 0};
};
