// The program's one global state record, alive for the whole process and used only on the
// user-interface thread. Texts are bytes in the system code page.
#pragma once

#include <cstdint>
#include <string>

struct AppStateRecord {
  std::string runFolder;        // the program folder, always ending in a separator after start-up
  std::string saveFolder;       // receives the converted pictures; may be empty
  std::int32_t formatCode = 0;  // the chosen output format
  std::string outputExtension;  // the extension, with its dot, the conversion run used last
  std::uintptr_t gdiplusToken = 0;  // handed back by the picture library's start-up
};

extern AppStateRecord AppState;

// Replaces `text` by an empty one and gives its memory back.
inline void ReleaseText(std::string& text) {
  std::string().swap(text);
}
