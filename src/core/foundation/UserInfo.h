#pragma once

#include <string>
#include <utility>

// One row of the user list of a company database (the logins table), as the user
// administration and the new-year roll-over pass it around. The password is plain.
class UserInfo {
public:
    UserInfo() = default;

    int PK() const { return PK_; }
    int getPK() const { return PK_; }
    void setPK(int v) { PK_ = v; }
    const std::string& userName() const { return userName_; }
    const std::string& getUserName() const { return userName_; }
    void setUserName(std::string v) { userName_ = std::move(v); }
    const std::string& password() const { return password_; }
    const std::string& getPassword() const { return password_; }
    void setPassword(std::string v) { password_ = std::move(v); }
    int userType() const { return userType_; }
    int getUserType() const { return userType_; }
    void setUserType(int v) { userType_ = v; }
    const std::string& path() const { return path_; }
    void setPath(std::string v) { path_ = std::move(v); }

private:
    int PK_ = -1;         // key of the logins row
    std::string userName_;
    std::string password_;
    int userType_ = -1;   // 1 for an administrator
    std::string path_;
};
