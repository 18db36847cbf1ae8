// What a pane's settings write tells the user through alerts, turned into the command's outcome:
// a write that failed ends the command with its one-line reason (status 1), and the notice that
// an unreadable file was kept aside goes to standard error once.
//   app.tapRow(row);  SettingsApp::settle();  requireSettingsSaved();
#pragma once

namespace tintbox::cli {

// Dismisses the write alerts shown so far; throws WriteError for the first failed write and
// writes each notice to standard error.
void requireSettingsSaved();

} // namespace tintbox::cli
