#pragma once

#include <optional>
#include <string>

class QWidget;

// Open, save and folder choosers. Each is Qt's own file dialog run through runModal,
// so tests answer it through the modal responder (see answerFileChooser). Paths come
// back as plain local file-system paths, never as URL text.

// A folder; no creating of folders, single selection. nullopt when cancelled.
std::optional<std::string> chooseFolder(QWidget* parent, const std::string& message,
                                        const std::string& startFolder);

// An existing file to open. `filter` is a Qt name filter such as "Text files (*.txt *.csv)".
std::optional<std::string> chooseOpenFile(QWidget* parent, const std::string& message,
                                          const std::string& startFolder, const std::string& filter = {});

// A file name to save under; the dialog asks before an existing file is replaced.
// With a default suffix ("txt"), a name typed without one gets it.
std::optional<std::string> chooseSaveFile(QWidget* parent, const std::string& message,
                                          const std::string& startFolder, const std::string& fileName,
                                          const std::string& filter = {}, const std::string& defaultSuffix = {});

// Object names of the three choosers, for responders.
inline constexpr const char* kFolderChooserName = "FolderChooser";
inline constexpr const char* kOpenChooserName = "OpenChooser";
inline constexpr const char* kSaveChooserName = "SaveChooser";

// For responders: answer a running chooser with a path, or cancel it.
void answerFileChooser(QWidget& chooser, const std::string& path);
void cancelFileChooser(QWidget& chooser);
