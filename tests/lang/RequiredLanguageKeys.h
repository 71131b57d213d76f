#pragma once

#include <array>

namespace markwell::test {

// Every key the program looks up in a language file. Each shipped language file must
// give a text for all of them.
inline constexpr std::array requiredLanguageKeys = {
    // Menus and actions
    "mnuFile", "Proceed", "Exit", "mnuFileList", "AddFiles", "RemFiles", "ClrFiles", "Languages", "Help", "Contents",
    "Index", "Tutorials", "Contact", "About",
    // Stamp panel
    "Picture", "Text", "File", "Font", "Change",
    // Position panel
    "Absolute", "Relative", "PixelsFrom", "Left", "Right", "Top", "Bottom", "Stamp", "Snap",
    // Configuration panel and output settings
    "Configuration", "DestFolder", "Original", "Custom", "Reactions", "Overwrite", "Skip", "Ask", "IfDestFile",
    "FileFormat", "JPEGQuality",
    // Section headers
    "FileList", "Log", "StampPosition", "Configurations", "OutputSettings", "Preview",
    // Messages
    "NothingToProceed", "PleaseSetStampImage", "DestFolderNotExists", "StampCoordsIntegers", "Cancel", "LogStamp",
    "LogExists", "FileExists", "EnterName",
    // Run log
    "LogStarted", "LogNotExists", "LogCouldntBeSaved", "LogCouldntBeLoaded", "LogFinished", "of",
    // About box
    "Version", "ShortDescription", "LicenseAgreement"};

} // namespace markwell::test
