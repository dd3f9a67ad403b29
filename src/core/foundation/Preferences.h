#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class FMDatabase;

// The preferences database "Preferences.db" in the user's preferences folder. It
// outlives every tax year: it remembers where each year's configuration directory
// was placed and keeps a few general and colour preferences. An absent text field
// is std::nullopt.
class Preferences {
public:
    using Text = std::optional<std::string>;

    Preferences() = default;
    ~Preferences();

    // Opens (creating when missing) the database at path and builds or checks its
    // schema; failures are shown when showErrors. A file SQLite cannot read as a
    // database is moved aside under a dated name and replaced by a new one with the
    // default preferences. True when ready.
    bool init(const std::string& path, bool showErrors);
    // Builds the schema (true) or checks its version (false); a failure throws.
    void update(bool create);
    void Close();
    bool IsReady() const { return isReady_; }

    void defaultValues();
    // Each write is stored whole or not at all; false when it was not stored.
    bool InsertPreferences();
    bool selectPreferences();
    bool InsertAppDetails(const std::string& name, int32_t year, const std::string& path);
    std::string selectAppDetails(const std::string& name, int32_t year);
    bool selectAppYear(const std::string& name, int32_t year);
    // Imports the older key=value preferences file on the first run of the year.
    void CopySystemValues();
    void copyValues(const Preferences& other);

    bool isReady() const { return isReady_; }
    void setIsReady(bool v) { isReady_ = v; }
    int32_t App_year() const { return App_year_; }
    void setApp_year(int32_t v) { App_year_ = v; }
    const Text& App_name() const { return App_name_; }
    void setApp_name(Text v) { App_name_ = std::move(v); }
    const Text& App_Path() const { return App_Path_; }
    void setApp_Path(Text v) { App_Path_ = std::move(v); }
    const std::shared_ptr<FMDatabase>& db() const { return db_; }

#define TALVEXA_PREFERENCE(field, setter)                     \
    const Text& field() const { return field##_; }            \
    void setter(Text v) { field##_ = std::move(v); }
    TALVEXA_PREFERENCE(openLastDatabase, setOpenLastDatabase)
    TALVEXA_PREFERENCE(openLastCompany, setOpenLastCompany)
    TALVEXA_PREFERENCE(attuAutoLoad, setAttuAutoLoad)
    TALVEXA_PREFERENCE(remindBackup, setRemindBackup)
    TALVEXA_PREFERENCE(remindBackup1, setRemindBackup1)
    TALVEXA_PREFERENCE(showPageSetup, setShowPageSetup)
    TALVEXA_PREFERENCE(showCheckPrintWarning, setShowCheckPrintWarning)
    TALVEXA_PREFERENCE(promptMarkPrintedChecks, setPromptMarkPrintedChecks)
    TALVEXA_PREFERENCE(showCriticalNewsOnly, setShowCriticalNewsOnly)
    TALVEXA_PREFERENCE(hideOldNews, setHideOldNews)
    TALVEXA_PREFERENCE(showEmployerMatches, setShowEmployerMatches)
    TALVEXA_PREFERENCE(alternateRowColors, setAlternateRowColors)
    TALVEXA_PREFERENCE(extraLineEndings, setExtraLineEndings)
    TALVEXA_PREFERENCE(saveCommandPosAndSize, setSaveCommandPosAndSize)
    TALVEXA_PREFERENCE(saveFrameSize, setSaveFrameSize)
    TALVEXA_PREFERENCE(saveFramePosition, setSaveFramePosition)
    TALVEXA_PREFERENCE(framePositioning, setFramePositioning)
    TALVEXA_PREFERENCE(fontSize, setFontSize)
    TALVEXA_PREFERENCE(fontFaceName, setFontFaceName)
    TALVEXA_PREFERENCE(companyStyle, setCompanyStyle)
    TALVEXA_PREFERENCE(commandView, setCommandView)
    TALVEXA_PREFERENCE(commandHue1, setCommandHue1)
    TALVEXA_PREFERENCE(commandSaturation1, setCommandSaturation1)
    TALVEXA_PREFERENCE(commandBrightness1, setCommandBrightness1)
    TALVEXA_PREFERENCE(commandHue2, setCommandHue2)
    TALVEXA_PREFERENCE(commandSaturation2, setCommandSaturation2)
    TALVEXA_PREFERENCE(commandBrightness2, setCommandBrightness2)
    TALVEXA_PREFERENCE(saveTreeState, setSaveTreeState)
    TALVEXA_PREFERENCE(payrollExpanded, setPayrollExpanded)
    TALVEXA_PREFERENCE(reportsExpanded, setReportsExpanded)
    TALVEXA_PREFERENCE(setupExpanded, setSetupExpanded)
    TALVEXA_PREFERENCE(updateReminderMonth, setUpdateReminderMonth)
    TALVEXA_PREFERENCE(updateReminderDay, setUpdateReminderDay)
    TALVEXA_PREFERENCE(updateReminderYear, setUpdateReminderYear)
#undef TALVEXA_PREFERENCE

private:
    // Opens path and builds or checks the schema; throws on failure.
    void openAndCheck(const std::string& path);

    bool isReady_ = false;
    int32_t App_year_ = 0;
    Text App_name_, App_Path_;
    Text openLastDatabase_, openLastCompany_, attuAutoLoad_, remindBackup_, remindBackup1_, showPageSetup_,
        showCheckPrintWarning_, promptMarkPrintedChecks_, showCriticalNewsOnly_, hideOldNews_,
        showEmployerMatches_, alternateRowColors_, extraLineEndings_, saveCommandPosAndSize_, saveFrameSize_,
        saveFramePosition_, framePositioning_, fontSize_, fontFaceName_, companyStyle_, commandView_,
        commandHue1_, commandSaturation1_, commandBrightness1_, commandHue2_, commandSaturation2_,
        commandBrightness2_, saveTreeState_, payrollExpanded_, reportsExpanded_, setupExpanded_,
        updateReminderMonth_, updateReminderDay_, updateReminderYear_;
    std::shared_ptr<FMDatabase> db_;
};
