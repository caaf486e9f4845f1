// The configuration file config.ini in the program folder: the save folder and the output
// format outlive the process there, in the section "配置".
#pragma once

#include <string>
#include <string_view>

// runFolder followed by "config.ini", built afresh for every read and write.
std::string ConfigFilePath();

// The main window's creation handler: loads the save folder and the format code.
void OnMainWindowCreated();

// Each store writes at once; a file that cannot be written is not noticed, and the value the
// caller already put into AppState holds for the rest of the process.
void StoreSaveFolder(std::string_view folder);
void StoreFormatCode(double code);
