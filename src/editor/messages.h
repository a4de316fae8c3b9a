#pragma once

#include <string>
#include <string_view>

namespace tarvo::editor {

// The texts of the message boxes that are not the value checks' own.
inline constexpr std::string_view kToolNameTitle = "Tool Name Error";
inline constexpr std::string_view kToolNameMessage = "Please insert a NAME for the new tool";
inline constexpr std::string_view kControlCharacterMessage =
    "Please remove tabs and line breaks from the NAME and the EXTENSION";
inline constexpr std::string_view kEdgeCountMessage =
    "Please insert a WHOLE number (>=3) for the NR. OF EDGES";
inline constexpr std::string_view kToolFullMessage =
    "The tool is full: it can hold at most 50 elements and 200 definition lines. Export it or "
    "delete elements first.";
inline constexpr std::string_view kPreviewFailedMessage = "The preview file cannot be written: ";
inline constexpr std::string_view kExportFailedMessage = "The tool was not exported: ";
// The tool is in usrprobe.dat, but usrprobe_old.dat still holds the file as
// it was before the previous change.
inline constexpr std::string_view kBackupNotReplacedMessage =
    "The tool was exported, but usrprobe_old.dat keeps the older backup: ";

// The buttons of the question before NEW TOOL (or the library's Edit)
// discards the unfinished tool that a later start would reopen.
inline constexpr std::string_view kReopenButton = "Reopen";
inline constexpr std::string_view kDiscardButton = "Discard";
inline constexpr std::string_view kCancelButton = "Cancel";

// A data folder in which no file can be made: said once in a box, and in
// the status line for as long as the window is open.
inline constexpr std::string_view kUnwritableFolderNotice = "The data folder cannot be written: nothing can be exported";
inline std::string UnwritableFolderMessage(std::string_view folder) {
  return "The data folder " + std::string(folder) +
         " cannot be written: nothing can be exported, and neither the preview nor the tool under way is saved. "
         "The tool library still shows the tools of usrprobe.dat.";
}

// NEW TOOL with a character that usrprobe.dat's code page cannot hold.
inline std::string CodePageMessage(std::string_view character) {
  return "Please replace \"" + std::string(character) +
         "\" in the NAME and the EXTENSION: usrprobe.dat can hold only the characters of Windows-1252";
}

// EXPORT of an edited tool whose block usrprobe.dat no longer holds.
inline std::string EditedToolChangedMessage(std::string_view name) {
  return "The tool " + std::string(name) +
         " was changed in usrprobe.dat after it was opened; the edited tool was added at the end.";
}

}  // namespace tarvo::editor
