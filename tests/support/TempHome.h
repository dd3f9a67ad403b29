#pragma once

#include <string>

// A fresh temporary home folder for one test: HOME, XDG_CONFIG_HOME and the XDG
// documents and desktop folders point into it until the object goes away.
class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::string& path() const { return path_; }          // no trailing "/"
    std::string file(const std::string& relative) const { return path_ + "/" + relative; }

private:
    std::string path_;
    std::string saved_[5];
    bool had_[5] = {};
};
