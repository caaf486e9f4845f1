// The program in real Qt widgets on an offscreen screen: a whole conversion, the window's layout
// and screenshots of what the user sees.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QTest>
#include <QToolButton>
#include <string>
#include <vector>

#include "runtime/person/person.h"
#include "state/app_state.h"
#include "support/events.h"
#include "support/pictures.h"
#include "support/scenario.h"
#include "ui/main_window.h"
#include "ui/settings_window.h"

namespace {

namespace ev = rt::event;

using ::testing::ElementsAre;
using testing_support::Decode;
using testing_support::DecodeFile;
using testing_support::ScenarioTest;

QWidget* TopLevelTitled(const char* title) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->isVisible() && widget->windowTitle() == QString::fromUtf8(title)) {
      return widget;
    }
  }
  return nullptr;
}

// Saves what the window and the pop-ups above it show, as one picture in the build folder.
bool SaveScreenshot(const std::vector<QWidget*>& windows, const char* name) {
  QRect area;
  for (const QWidget* window : windows) {
    area = area.united(window->frameGeometry());
  }
  QPixmap canvas(area.size());
  canvas.fill(Qt::black);
  QPainter painter(&canvas);
  for (QWidget* window : windows) {
    painter.drawPixmap(window->geometry().topLeft() - area.topLeft(), window->grab());
  }
  painter.end();
  QDir().mkpath(PICBATCH_SCREENSHOTS);
  return canvas.save(QString(PICBATCH_SCREENSHOTS) + "/" + name + ".png");
}

class DesktopTest : public ScenarioTest {};

TEST_F(DesktopTest, ConvertsTwoPicturesToPngEndToEnd) {
  const std::string in = Folder("in");
  const std::string out = Folder("out");
  const std::vector<std::string> pictures = {Picture(in, "first.bmp", 5, 10),
                                             Picture(in, "second.bmp", 7, 80)};
  AddThroughFileDialog(pictures);
  script.Click(工具条1, toolbar::kSaveFolder).ChooseFolder(out);
  script.Click(工具条1, toolbar::kSettings).Pick(组合框1, 4).Close(SettingsWindow);
  script.Click(工具条1, toolbar::kStartConversion).CloseMessage();

  EXPECT_EQ(Run(), 0);

  EXPECT_THAT(FileNames(out), ElementsAre("1.png", "2.png"));
  for (std::size_t entry = 0; entry < pictures.size(); ++entry) {
    const rt::picture::Bitmap expected = DecodeFile(pictures[entry]);
    const rt::picture::Bitmap converted =
        DecodeFile(out + "/" + std::to_string(entry + 1) + ".png");
    ASSERT_GT(expected.width, 0U);
    EXPECT_EQ(converted.width, expected.width);
    EXPECT_EQ(converted.height, expected.height);
    EXPECT_EQ(converted.pixels, expected.pixels) << entry;
  }
  EXPECT_EQ(StoredSaveFolder(), out);
  EXPECT_EQ(StoredFormatCode(), "5");
  EXPECT_THAT(rt::person::Messages(),
              ElementsAre(rt::person::ShownMessage{"信息：", "图片转换完毕!"}));
}

TEST_F(DesktopTest, ToolbarFitsOneRowAboveTheListAndChineseHasAFont) {
  bool chineseFont = false;
  QRect toolbarArea;
  QRect listArea;
  std::vector<QRect> buttons;
  script.Look([&] {
    chineseFont = !QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty();
    QWidget* const window = TopLevelTitled("墨岚图片格式批量转换器");
    ASSERT_NE(window, nullptr);
    listArea = window->findChild<QListWidget*>()->geometry();
    for (const QToolButton* button : window->findChildren<QToolButton*>()) {
      buttons.push_back(button->geometry());
      toolbarArea = toolbarArea.united(button->geometry());
    }
  });

  EXPECT_EQ(Run(), 0);

  EXPECT_TRUE(chineseFont) << "captions would show as boxes";
  EXPECT_EQ(listArea, QRect(0, 56, 472, 240));
  ASSERT_EQ(buttons.size(), 8U);
  for (const QRect& button : buttons) {
    EXPECT_EQ(button.top(), buttons.front().top()) << "all buttons in one row";
  }
  EXPECT_LE(toolbarArea.bottom(), listArea.top());
  EXPECT_LE(toolbarArea.right(), 472);
}

TEST_F(DesktopTest, ScreenshotsOfTheMainWindowTheSettingsAndTheEndMessage) {
  const std::string in = Folder("in");
  const std::string out = Folder("out");
  StoreSettings(out, 5);
  AddThroughFileDialog({Picture(in, "holiday-beach.bmp", 4), Picture(in, "家庭照片.bmp", 5),
                        Picture(in, "scan-0042.bmp", 6)});
  std::vector<std::string> saved;
  script.Look([&] {
    if (SaveScreenshot({TopLevelTitled("墨岚图片格式批量转换器")}, "main-window")) {
      saved.push_back("main-window");
    }
  });
  script.Click(工具条1, toolbar::kSettings);
  script.Look([&] {
    QWidget* const settings = TopLevelTitled("转换设置");
    ASSERT_NE(settings, nullptr);
    auto* const formats = settings->findChild<QComboBox*>();
    formats->showPopup();
    QApplication::processEvents();
    if (SaveScreenshot({settings, formats->view()->window()}, "settings-window")) {
      saved.push_back("settings-window");
    }
    formats->hidePopup();
  });
  script.Close(SettingsWindow);
  script.Click(工具条1, toolbar::kStartConversion);
  script.Look([&] {
    if (SaveScreenshot({QApplication::activeModalWidget()}, "end-message")) {
      saved.push_back("end-message");
    }
  });
  script.CloseMessage();

  EXPECT_EQ(Run(), 0);

  EXPECT_THAT(saved, ElementsAre("main-window", "settings-window", "end-message"));
  for (const std::string& name : saved) {
    const rt::picture::Bitmap shot =
        DecodeFile(std::string(PICBATCH_SCREENSHOTS) + "/" + name + ".png");
    EXPECT_GT(shot.width, 100U) << name;
    EXPECT_GT(shot.height, 50U) << name;
  }
}

// The dialogs answered with the keyboard, as a user answers them, not through the script's
// shortcut: each must be enabled and take the keys while the windows behind it are disabled.
TEST_F(DesktopTest, DialogsTakeTheUsersTyping) {
  const std::string in = Folder("in");
  const std::string out = Folder("out");
  const std::string picture = Picture(in, "typed.bmp", 3);
  std::vector<bool> dialogsEnabled;
  // Presses the dialog's accepting button, which does nothing while the dialog is disabled.
  const auto accept = [&](QWidget* dialog) {
    const QDialogButtonBox* const buttons = dialog->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    QAbstractButton* const button = buttons->buttons().front();
    ASSERT_EQ(buttons->buttonRole(button), QDialogButtonBox::AcceptRole);
    button->click();
  };
  const auto pickFile = [&](const QString& path) {
    auto* const dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialogsEnabled.push_back(dialog->isEnabled());
    dialog->selectFile(path);
    accept(dialog);
  };
  const auto typeFolder = [&](const QString& folder) {
    QWidget* const dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    dialogsEnabled.push_back(dialog->isEnabled());
    QLineEdit* const field = dialog->findChild<QLineEdit*>();
    ASSERT_NE(field, nullptr);
    field->selectAll();
    QTest::keyClicks(field, folder);
    accept(dialog);
  };
  script.Click(工具条1, toolbar::kAddPicture).Look([&] {
    pickFile(QString::fromStdString(picture));
  });
  script.Click(工具条1, toolbar::kSaveFolder).Look([&] {
    typeFolder(QString::fromStdString(out + "/"));
  });
  script.Click(工具条1, toolbar::kStartConversion).Look([&] {
    QWidget* const box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    dialogsEnabled.push_back(box->isEnabled());
    QTest::keyClick(box, Qt::Key_Return);
  });
  LookAtList();

  EXPECT_EQ(Run(), 0);

  EXPECT_THAT(dialogsEnabled, ElementsAre(true, true, true));
  EXPECT_THAT(listSeen, ElementsAre(testing_support::ListSnapshot{{picture}, 0}));
  EXPECT_EQ(StoredSaveFolder(), out);
  EXPECT_THAT(FileNames(out), ElementsAre("1.gif"));
}

TEST_F(DesktopTest, EscClosesTheSettingsWindowWithoutAPickAndTheMainWindowWithTheProgram) {
  const auto pressEsc = [](const char* title, auto findFocus) {
    QWidget* const window = TopLevelTitled(title);
    ASSERT_NE(window, nullptr);
    QWidget* const target = findFocus(window);
    ASSERT_NE(target, nullptr);
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Escape);
  };
  script.Click(工具条1, toolbar::kSettings);
  // Esc while the drop-down has the focus.
  script.Look([&] {
    pressEsc("转换设置", [](QWidget* window) { return window->findChild<QComboBox*>(); });
  });
  // Esc while the picture list has the focus.
  script.Look([&] {
    pressEsc("墨岚图片格式批量转换器",
             [](QWidget* window) { return window->findChild<QListWidget*>(); });
  });

  EXPECT_EQ(Run(), 0);

  const std::vector<rt::Event>& journal = rt::person::Journal();
  EXPECT_THAT(journal, ::testing::Contains(ev::Destroy("SettingsWindow")));
  EXPECT_THAT(journal, ::testing::Contains(ev::Destroy("MainWindow")));
  EXPECT_FALSE(testing_support::Exists(ConfigPath()));
}

}  // namespace
