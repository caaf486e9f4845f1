// Modal dialogs. While one is open every window of the program is disabled; afterwards each
// gets its former enabled state back.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rt {

// Shows `prompt` over a folder tree and a field to type a folder. Returns the chosen folder
// (the root folder with its separator, any other without one), or an empty text when the user
// cancelled.
std::string ChooseFolder(std::string_view prompt);

inline constexpr std::string_view kDefaultMessageTitle = "信息：";

// Shows `text` with one OK button and no icon, titled `title` or "信息：", and returns when the
// user has closed it.
void ShowMessage(std::string_view text, std::optional<std::string_view> title = std::nullopt);

}  // namespace rt
