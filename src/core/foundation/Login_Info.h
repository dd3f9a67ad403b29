#pragma once

// The user logged in to the open company database, with every per-user setting the
// logins table keeps: credentials, user type, font size, do-not-show flags, list sort
// orders, PDF choices and the saved frames of nineteen windows. A plain data holder;
// session().loginInfo is replaced by a new one each time a company database opens.
//
// Every field has a property getter of its own name and a setter made of "set" and
// the capitalised name; the scalars and most frame fields have an extra getter.

#include <string>
#include <utility>

class Login_Info {
public:
    Login_Info() = default;

    // ---- user, settings and sort orders ----
    const std::string& name() const { return name_; }
    void setName(std::string v) { name_ = std::move(v); }
    const std::string& getName() const { return name_; }
    const std::string& passWord() const { return passWord_; }
    void setPassWord(std::string v) { passWord_ = std::move(v); }
    const std::string& getPassWord() const { return passWord_; }
    int PK() const { return PK_; }
    void setPK(int v) { PK_ = v; }
    int getPK() const { return PK_; }
    int userType() const { return userType_; }
    void setUserType(int v) { userType_ = v; }
    int getUserType() const { return userType_; }
    int fontSize() const { return fontSize_; }
    void setFontSize(int v) { fontSize_ = v; }
    int getFontSize() const { return fontSize_; }
    bool doNotShowWelcomeDialog() const { return doNotShowWelcomeDialog_; }
    void setDoNotShowWelcomeDialog(bool v) { doNotShowWelcomeDialog_ = v; }
    bool getDoNotShowWelcomeDialog() const { return doNotShowWelcomeDialog_; }
    bool doNotShowPrintAlignmentDialog() const { return doNotShowPrintAlignmentDialog_; }
    void setDoNotShowPrintAlignmentDialog(bool v) { doNotShowPrintAlignmentDialog_ = v; }
    bool getDoNotShowPrintAlignmentDialog() const { return doNotShowPrintAlignmentDialog_; }
    int companySort() const { return companySort_; }
    void setCompanySort(int v) { companySort_ = v; }
    int getCompanySort() const { return companySort_; }
    int recipientSort() const { return recipientSort_; }
    void setRecipientSort(int v) { recipientSort_ = v; }
    int getRecipientSort() const { return recipientSort_; }
    const std::string& customPDFDirectory() const { return customPDFDirectory_; }
    void setCustomPDFDirectory(std::string v) { customPDFDirectory_ = std::move(v); }
    const std::string& getCustomPDFDirectory() const { return customPDFDirectory_; }
    bool useDefaultPDFs() const { return useDefaultPDFs_; }
    void setUseDefaultPDFs(bool v) { useDefaultPDFs_ = v; }
    bool getUseDefaultPDFs() const { return useDefaultPDFs_; }

    // ---- saved window frames, -1 when not saved ----
    int mainWindowHeight() const { return mainWindowHeight_; }
    void setMainWindowHeight(int v) { mainWindowHeight_ = v; }
    int getMainWindowHeight() const { return mainWindowHeight_; }
    int mainWindowWidth() const { return mainWindowWidth_; }
    void setMainWindowWidth(int v) { mainWindowWidth_ = v; }
    int getMainWindowWidth() const { return mainWindowWidth_; }
    int mainWindowXCoord() const { return mainWindowXCoord_; }
    void setMainWindowXCoord(int v) { mainWindowXCoord_ = v; }
    int getMainWindowXCoord() const { return mainWindowXCoord_; }
    int mainWindowYCoord() const { return mainWindowYCoord_; }
    void setMainWindowYCoord(int v) { mainWindowYCoord_ = v; }
    int getMainWindowYCoord() const { return mainWindowYCoord_; }
    int DataBaseManagerHeight() const { return DataBaseManagerHeight_; }
    void setDataBaseManagerHeight(int v) { DataBaseManagerHeight_ = v; }
    int getDataBaseManagerHeight() const { return DataBaseManagerHeight_; }
    int DataBaseManagerWidth() const { return DataBaseManagerWidth_; }
    void setDataBaseManagerWidth(int v) { DataBaseManagerWidth_ = v; }
    int getDataBaseManagerWidth() const { return DataBaseManagerWidth_; }
    int DataBaseManagerXCoord() const { return DataBaseManagerXCoord_; }
    void setDataBaseManagerXCoord(int v) { DataBaseManagerXCoord_ = v; }
    int getDataBaseManagerXCoord() const { return DataBaseManagerXCoord_; }
    int DataBaseManagerYCoord() const { return DataBaseManagerYCoord_; }
    void setDataBaseManagerYCoord(int v) { DataBaseManagerYCoord_ = v; }
    int getDataBaseManagerYCoord() const { return DataBaseManagerYCoord_; }
    int printCompanyHeight() const { return printCompanyHeight_; }
    void setPrintCompanyHeight(int v) { printCompanyHeight_ = v; }
    int getPrintCompanyHeight() const { return printCompanyHeight_; }
    int printCompanyWidth() const { return printCompanyWidth_; }
    void setPrintCompanyWidth(int v) { printCompanyWidth_ = v; }
    int getPrintCompanyWidth() const { return printCompanyWidth_; }
    int printCompanyXCoord() const { return printCompanyXCoord_; }
    void setPrintCompanyXCoord(int v) { printCompanyXCoord_ = v; }
    int getPrintCompanyXCoord() const { return printCompanyXCoord_; }
    int printCompanyYCoord() const { return printCompanyYCoord_; }
    void setPrintCompanyYCoord(int v) { printCompanyYCoord_ = v; }
    int getPrintCompanyYCoord() const { return printCompanyYCoord_; }
    int printRecipientHeight() const { return printRecipientHeight_; }
    void setPrintRecipientHeight(int v) { printRecipientHeight_ = v; }
    int getPrintRecipientHeight() const { return printRecipientHeight_; }
    int printRecipientWidth() const { return printRecipientWidth_; }
    void setPrintRecipientWidth(int v) { printRecipientWidth_ = v; }
    int getPrintRecipientWidth() const { return printRecipientWidth_; }
    int printRecipientXCoord() const { return printRecipientXCoord_; }
    void setPrintRecipientXCoord(int v) { printRecipientXCoord_ = v; }
    int getPrintRecipientXCoord() const { return printRecipientXCoord_; }
    int printRecipientYCoord() const { return printRecipientYCoord_; }
    void setPrintRecipientYCoord(int v) { printRecipientYCoord_ = v; }
    int getPrintRecipientYCoord() const { return printRecipientYCoord_; }
    int recipientDetailsHeight() const { return recipientDetailsHeight_; }
    void setRecipientDetailsHeight(int v) { recipientDetailsHeight_ = v; }
    int getRecipientDetailsHeight() const { return recipientDetailsHeight_; }
    int recipientDetailsWidth() const { return recipientDetailsWidth_; }
    void setRecipientDetailsWidth(int v) { recipientDetailsWidth_ = v; }
    int getRecipientDetailsWidth() const { return recipientDetailsWidth_; }
    int recipientDetailsXCoord() const { return recipientDetailsXCoord_; }
    void setRecipientDetailsXCoord(int v) { recipientDetailsXCoord_ = v; }
    int getRecipientDetailsXCoord() const { return recipientDetailsXCoord_; }
    int recipientDetailsYCoord() const { return recipientDetailsYCoord_; }
    void setRecipientDetailsYCoord(int v) { recipientDetailsYCoord_ = v; }
    int getRecipientDetailsYCoord() const { return recipientDetailsYCoord_; }
    int recipientIntDetailsHeight() const { return recipientIntDetailsHeight_; }
    void setRecipientIntDetailsHeight(int v) { recipientIntDetailsHeight_ = v; }
    int getIntRecipientDetailsHeight() const { return recipientIntDetailsHeight_; }
    void setIntRecipientDetailsHeight(int v) { recipientIntDetailsHeight_ = v; }
    int recipientIntDetailsWidth() const { return recipientIntDetailsWidth_; }
    void setRecipientIntDetailsWidth(int v) { recipientIntDetailsWidth_ = v; }
    int getIntRecipientDetailsWidth() const { return recipientIntDetailsWidth_; }
    void setIntRecipientDetailsWidth(int v) { recipientIntDetailsWidth_ = v; }
    int recipientIntDetailsXCoord() const { return recipientIntDetailsXCoord_; }
    void setRecipientIntDetailsXCoord(int v) { recipientIntDetailsXCoord_ = v; }
    int getIntRecipientDetailsXCoord() const { return recipientIntDetailsXCoord_; }
    void setIntRecipientDetailsXCoord(int v) { recipientIntDetailsXCoord_ = v; }
    int recipientIntDetailsYCoord() const { return recipientIntDetailsYCoord_; }
    void setRecipientIntDetailsYCoord(int v) { recipientIntDetailsYCoord_ = v; }
    int getIntRecipientDetailsYCoord() const { return recipientIntDetailsYCoord_; }
    void setIntRecipientDetailsYCoord(int v) { recipientIntDetailsYCoord_ = v; }
    int recipientDivDetailsHeight() const { return recipientDivDetailsHeight_; }
    void setRecipientDivDetailsHeight(int v) { recipientDivDetailsHeight_ = v; }
    int getDivRecipientDetailsHeight() const { return recipientDivDetailsHeight_; }
    void setDivRecipientDetailsHeight(int v) { recipientDivDetailsHeight_ = v; }
    int recipientDivDetailsWidth() const { return recipientDivDetailsWidth_; }
    void setRecipientDivDetailsWidth(int v) { recipientDivDetailsWidth_ = v; }
    int getDivRecipientDetailsWidth() const { return recipientDivDetailsWidth_; }
    void setDivRecipientDetailsWidth(int v) { recipientDivDetailsWidth_ = v; }
    int recipientDivDetailsXCoord() const { return recipientDivDetailsXCoord_; }
    void setRecipientDivDetailsXCoord(int v) { recipientDivDetailsXCoord_ = v; }
    int getDivRecipientDetailsXCoord() const { return recipientDivDetailsXCoord_; }
    void setDivRecipientDetailsXCoord(int v) { recipientDivDetailsXCoord_ = v; }
    int recipientDivDetailsYCoord() const { return recipientDivDetailsYCoord_; }
    void setRecipientDivDetailsYCoord(int v) { recipientDivDetailsYCoord_ = v; }
    int getDivRecipientDetailsYCoord() const { return recipientDivDetailsYCoord_; }
    void setDivRecipientDetailsYCoord(int v) { recipientDivDetailsYCoord_ = v; }
    int recipientSDetailsHeight() const { return recipientSDetailsHeight_; }
    void setRecipientSDetailsHeight(int v) { recipientSDetailsHeight_ = v; }
    int getSRecipientDetailsHeight() const { return recipientSDetailsHeight_; }
    void setSRecipientDetailsHeight(int v) { recipientSDetailsHeight_ = v; }
    int recipientSDetailsWidth() const { return recipientSDetailsWidth_; }
    void setRecipientSDetailsWidth(int v) { recipientSDetailsWidth_ = v; }
    int getSRecipientDetailsWidth() const { return recipientSDetailsWidth_; }
    void setSRecipientDetailsWidth(int v) { recipientSDetailsWidth_ = v; }
    int recipientSDetailsXCoord() const { return recipientSDetailsXCoord_; }
    void setRecipientSDetailsXCoord(int v) { recipientSDetailsXCoord_ = v; }
    int getSRecipientDetailsXCoord() const { return recipientSDetailsXCoord_; }
    void setSRecipientDetailsXCoord(int v) { recipientSDetailsXCoord_ = v; }
    int recipientSDetailsYCoord() const { return recipientSDetailsYCoord_; }
    void setRecipientSDetailsYCoord(int v) { recipientSDetailsYCoord_ = v; }
    int getSRecipientDetailsYCoord() const { return recipientSDetailsYCoord_; }
    void setSRecipientDetailsYCoord(int v) { recipientSDetailsYCoord_ = v; }
    int recipientRDetailsHeight() const { return recipientRDetailsHeight_; }
    void setRecipientRDetailsHeight(int v) { recipientRDetailsHeight_ = v; }
    int getRRecipientDetailsHeight() const { return recipientRDetailsHeight_; }
    void setRRecipientDetailsHeight(int v) { recipientRDetailsHeight_ = v; }
    int recipientRDetailsWidth() const { return recipientRDetailsWidth_; }
    void setRecipientRDetailsWidth(int v) { recipientRDetailsWidth_ = v; }
    int getRRecipientDetailsWidth() const { return recipientRDetailsWidth_; }
    void setRRecipientDetailsWidth(int v) { recipientRDetailsWidth_ = v; }
    int recipientRDetailsXCoord() const { return recipientRDetailsXCoord_; }
    void setRecipientRDetailsXCoord(int v) { recipientRDetailsXCoord_ = v; }
    int getRRecipientDetailsXCoord() const { return recipientRDetailsXCoord_; }
    void setRRecipientDetailsXCoord(int v) { recipientRDetailsXCoord_ = v; }
    int recipientRDetailsYCoord() const { return recipientRDetailsYCoord_; }
    void setRecipientRDetailsYCoord(int v) { recipientRDetailsYCoord_ = v; }
    int getRRecipientDetailsYCoord() const { return recipientRDetailsYCoord_; }
    void setRRecipientDetailsYCoord(int v) { recipientRDetailsYCoord_ = v; }
    int companyDetailsHeight() const { return companyDetailsHeight_; }
    void setCompanyDetailsHeight(int v) { companyDetailsHeight_ = v; }
    int getCompanyDetailsHeight() const { return companyDetailsHeight_; }
    int companyDetailsWidth() const { return companyDetailsWidth_; }
    void setCompanyDetailsWidth(int v) { companyDetailsWidth_ = v; }
    int getCompanyDetailsWidth() const { return companyDetailsWidth_; }
    int companyDetailsXCoord() const { return companyDetailsXCoord_; }
    void setCompanyDetailsXCoord(int v) { companyDetailsXCoord_ = v; }
    int getCompanyDetailsXCoord() const { return companyDetailsXCoord_; }
    int companyDetailsYCoord() const { return companyDetailsYCoord_; }
    void setCompanyDetailsYCoord(int v) { companyDetailsYCoord_ = v; }
    int getCompanyDetailsYCoord() const { return companyDetailsYCoord_; }
    int adminHeight() const { return adminHeight_; }
    void setAdminHeight(int v) { adminHeight_ = v; }
    int getAdminHeight() const { return adminHeight_; }
    int adminWidth() const { return adminWidth_; }
    void setAdminWidth(int v) { adminWidth_ = v; }
    int getAdminWidth() const { return adminWidth_; }
    int adminXCoord() const { return adminXCoord_; }
    void setAdminXCoord(int v) { adminXCoord_ = v; }
    int getAdminXCoord() const { return adminXCoord_; }
    int adminYCoord() const { return adminYCoord_; }
    void setAdminYCoord(int v) { adminYCoord_ = v; }
    int getAdminYCoord() const { return adminYCoord_; }
    int userDetailsHeight() const { return userDetailsHeight_; }
    void setUserDetailsHeight(int v) { userDetailsHeight_ = v; }
    int getUserDetailsHeight() const { return userDetailsHeight_; }
    int userDetailsWidth() const { return userDetailsWidth_; }
    void setUserDetailsWidth(int v) { userDetailsWidth_ = v; }
    int getUserDetailsWidth() const { return userDetailsWidth_; }
    int userDetailsXCoord() const { return userDetailsXCoord_; }
    void setUserDetailsXCoord(int v) { userDetailsXCoord_ = v; }
    int getUserDetailsXCoord() const { return userDetailsXCoord_; }
    int userDetailsYCoord() const { return userDetailsYCoord_; }
    void setUserDetailsYCoord(int v) { userDetailsYCoord_ = v; }
    int getUserDetailsYCoord() const { return userDetailsYCoord_; }
    int deleteRecipientHeight() const { return deleteRecipientHeight_; }
    void setDeleteRecipientHeight(int v) { deleteRecipientHeight_ = v; }
    int getDeleteRecipientHeight() const { return deleteRecipientHeight_; }
    int deleteRecipientWidth() const { return deleteRecipientWidth_; }
    void setDeleteRecipientWidth(int v) { deleteRecipientWidth_ = v; }
    int getDeleteRecipientWidth() const { return deleteRecipientWidth_; }
    int deleteRecipientXCoord() const { return deleteRecipientXCoord_; }
    void setDeleteRecipientXCoord(int v) { deleteRecipientXCoord_ = v; }
    int getDeleteRecipientXCoord() const { return deleteRecipientXCoord_; }
    int deleteRecipientYCoord() const { return deleteRecipientYCoord_; }
    void setDeleteRecipientYCoord(int v) { deleteRecipientYCoord_ = v; }
    int getDeleteRecipientYCoord() const { return deleteRecipientYCoord_; }
    int printMiscRecipientSelectorHeight() const { return printMiscRecipientSelectorHeight_; }
    void setPrintMiscRecipientSelectorHeight(int v) { printMiscRecipientSelectorHeight_ = v; }
    int getPrintMiscRecipientSelectorHeight() const { return printMiscRecipientSelectorHeight_; }
    int printMiscRecipientSelectorWidth() const { return printMiscRecipientSelectorWidth_; }
    void setPrintMiscRecipientSelectorWidth(int v) { printMiscRecipientSelectorWidth_ = v; }
    int getPrintMiscRecipientSelectorWidth() const { return printMiscRecipientSelectorWidth_; }
    int printMiscRecipientSelectorXCoord() const { return printMiscRecipientSelectorXCoord_; }
    void setPrintMiscRecipientSelectorXCoord(int v) { printMiscRecipientSelectorXCoord_ = v; }
    int getPrintMiscRecipientSelectorXCoord() const { return printMiscRecipientSelectorXCoord_; }
    int printMiscRecipientSelectorYCoord() const { return printMiscRecipientSelectorYCoord_; }
    void setPrintMiscRecipientSelectorYCoord(int v) { printMiscRecipientSelectorYCoord_ = v; }
    int getPrintMiscRecipientSelectorYCoord() const { return printMiscRecipientSelectorYCoord_; }
    int printIntRecipientSelectorHeight() const { return printIntRecipientSelectorHeight_; }
    void setPrintIntRecipientSelectorHeight(int v) { printIntRecipientSelectorHeight_ = v; }
    int getPrintIntRecipientSelectorHeight() const { return printIntRecipientSelectorHeight_; }
    int printIntRecipientSelectorWidth() const { return printIntRecipientSelectorWidth_; }
    void setPrintIntRecipientSelectorWidth(int v) { printIntRecipientSelectorWidth_ = v; }
    int getPrintIntRecipientSelectorWidth() const { return printIntRecipientSelectorWidth_; }
    int printIntRecipientSelectorXCoord() const { return printIntRecipientSelectorXCoord_; }
    void setPrintIntRecipientSelectorXCoord(int v) { printIntRecipientSelectorXCoord_ = v; }
    int getPrintIntRecipientSelectorXCoord() const { return printIntRecipientSelectorXCoord_; }
    int printIntRecipientSelectorYCoord() const { return printIntRecipientSelectorYCoord_; }
    void setPrintIntRecipientSelectorYCoord(int v) { printIntRecipientSelectorYCoord_ = v; }
    int getPrintIntRecipientSelectorYCoord() const { return printIntRecipientSelectorYCoord_; }
    int eFileHeight() const { return eFileHeight_; }
    void setEFileHeight(int v) { eFileHeight_ = v; }
    int getEFileHeight() const { return eFileHeight_; }
    int eFileWidth() const { return eFileWidth_; }
    void setEFileWidth(int v) { eFileWidth_ = v; }
    int getEFileWidth() const { return eFileWidth_; }
    int eFileXCoord() const { return eFileXCoord_; }
    void setEFileXCoord(int v) { eFileXCoord_ = v; }
    int getEFileXCoord() const { return eFileXCoord_; }
    int eFileYCoord() const { return eFileYCoord_; }
    void setEFileYCoord(int v) { eFileYCoord_ = v; }
    int getEFileYCoord() const { return eFileYCoord_; }
    int importHeight() const { return importHeight_; }
    void setImportHeight(int v) { importHeight_ = v; }
    int getImportHeight() const { return importHeight_; }
    int importWidth() const { return importWidth_; }
    void setImportWidth(int v) { importWidth_ = v; }
    int getImportWidth() const { return importWidth_; }
    int importXCoord() const { return importXCoord_; }
    void setImportXCoord(int v) { importXCoord_ = v; }
    int getImportXCoord() const { return importXCoord_; }
    int importYCoord() const { return importYCoord_; }
    void setImportYCoord(int v) { importYCoord_ = v; }
    int getImportYCoord() const { return importYCoord_; }
    int importTypeHeight() const { return importTypeHeight_; }
    void setImportTypeHeight(int v) { importTypeHeight_ = v; }
    int getImportTypeHeight() const { return importTypeHeight_; }
    int importTypeWidth() const { return importTypeWidth_; }
    void setImportTypeWidth(int v) { importTypeWidth_ = v; }
    int getImportTypeWidth() const { return importTypeWidth_; }
    int importTypeXCoord() const { return importTypeXCoord_; }
    void setImportTypeXCoord(int v) { importTypeXCoord_ = v; }
    int getImportTypeXCoord() const { return importTypeXCoord_; }
    int importTypeYCoord() const { return importTypeYCoord_; }
    void setImportTypeYCoord(int v) { importTypeYCoord_ = v; }
    int getImportTypeYCoord() const { return importTypeYCoord_; }
    int importCompHeight() const { return importCompHeight_; }
    void setImportCompHeight(int v) { importCompHeight_ = v; }
    int getImportCompHeight() const { return importCompHeight_; }
    int importCompWidth() const { return importCompWidth_; }
    void setImportCompWidth(int v) { importCompWidth_ = v; }
    int getImportCompWidth() const { return importCompWidth_; }
    int importCompXCoord() const { return importCompXCoord_; }
    void setImportCompXCoord(int v) { importCompXCoord_ = v; }
    int getImportCompXCoord() const { return importCompXCoord_; }
    int importCompYCoord() const { return importCompYCoord_; }
    void setImportCompYCoord(int v) { importCompYCoord_ = v; }
    int getImportCompYCoord() const { return importCompYCoord_; }

    // Misspelled twins of setDataBaseManagerWidth and setImportTypeWidth.
    void seDataBaseManagerWidth(int v) { DataBaseManagerWidth_ = v; }
    void setImporTypetWidth(int v) { importTypeWidth_ = v; }

private:
    std::string name_;
    std::string passWord_;
    int PK_ = -1;
    int userType_ = -1;
    int fontSize_ = -1;
    bool doNotShowWelcomeDialog_ = true;
    bool doNotShowPrintAlignmentDialog_ = true;
    int companySort_ = 0;
    int recipientSort_ = 0;
    std::string customPDFDirectory_;
    bool useDefaultPDFs_ = true;
    int mainWindowHeight_ = -1;
    int mainWindowWidth_ = -1;
    int mainWindowXCoord_ = -1;
    int mainWindowYCoord_ = -1;
    int DataBaseManagerHeight_ = -1;
    int DataBaseManagerWidth_ = -1;
    int DataBaseManagerXCoord_ = -1;
    int DataBaseManagerYCoord_ = -1;
    int printCompanyHeight_ = -1;
    int printCompanyWidth_ = -1;
    int printCompanyXCoord_ = -1;
    int printCompanyYCoord_ = -1;
    int printRecipientHeight_ = -1;
    int printRecipientWidth_ = -1;
    int printRecipientXCoord_ = -1;
    int printRecipientYCoord_ = -1;
    int recipientDetailsHeight_ = -1;
    int recipientDetailsWidth_ = -1;
    int recipientDetailsXCoord_ = -1;
    int recipientDetailsYCoord_ = -1;
    int recipientIntDetailsHeight_ = -1;
    int recipientIntDetailsWidth_ = -1;
    int recipientIntDetailsXCoord_ = -1;
    int recipientIntDetailsYCoord_ = -1;
    int recipientDivDetailsHeight_ = -1;
    int recipientDivDetailsWidth_ = -1;
    int recipientDivDetailsXCoord_ = -1;
    int recipientDivDetailsYCoord_ = -1;
    int recipientSDetailsHeight_ = -1;
    int recipientSDetailsWidth_ = -1;
    int recipientSDetailsXCoord_ = -1;
    int recipientSDetailsYCoord_ = -1;
    int recipientRDetailsHeight_ = -1;
    int recipientRDetailsWidth_ = -1;
    int recipientRDetailsXCoord_ = -1;
    int recipientRDetailsYCoord_ = -1;
    int companyDetailsHeight_ = -1;
    int companyDetailsWidth_ = -1;
    int companyDetailsXCoord_ = -1;
    int companyDetailsYCoord_ = -1;
    int adminHeight_ = -1;
    int adminWidth_ = -1;
    int adminXCoord_ = -1;
    int adminYCoord_ = -1;
    int userDetailsHeight_ = -1;
    int userDetailsWidth_ = -1;
    int userDetailsXCoord_ = -1;
    int userDetailsYCoord_ = -1;
    int deleteRecipientHeight_ = -1;
    int deleteRecipientWidth_ = -1;
    int deleteRecipientXCoord_ = -1;
    int deleteRecipientYCoord_ = -1;
    int printMiscRecipientSelectorHeight_ = -1;
    int printMiscRecipientSelectorWidth_ = -1;
    int printMiscRecipientSelectorXCoord_ = -1;
    int printMiscRecipientSelectorYCoord_ = -1;
    int printIntRecipientSelectorHeight_ = -1;
    int printIntRecipientSelectorWidth_ = -1;
    int printIntRecipientSelectorXCoord_ = -1;
    int printIntRecipientSelectorYCoord_ = -1;
    int eFileHeight_ = -1;
    int eFileWidth_ = -1;
    int eFileXCoord_ = -1;
    int eFileYCoord_ = -1;
    int importHeight_ = -1;
    int importWidth_ = -1;
    int importXCoord_ = -1;
    int importYCoord_ = -1;
    int importTypeHeight_ = -1;
    int importTypeWidth_ = -1;
    int importTypeXCoord_ = -1;
    int importTypeYCoord_ = -1;
    int importCompHeight_ = -1;
    int importCompWidth_ = -1;
    int importCompXCoord_ = -1;
    int importCompYCoord_ = -1;
};
