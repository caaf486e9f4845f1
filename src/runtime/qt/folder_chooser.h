// The folder chooser: the prompt above a tree of the folders from the root down, and a field in
// which a folder can be typed.
#pragma once

#include <QDialog>
#include <QString>

class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace rt::qtbackend {

class FolderChooser : public QDialog {
 public:
  explicit FolderChooser(const QString& prompt);

  // The chosen folder, as a full path.
  QString ChosenFolder() const;
  // Takes `folder` as the answer and closes the chooser.
  void Choose(const QString& folder);

 private:
  void FollowTree();
  QString Absolute(const QString& folder) const;
  void CheckTypedFolder();

  QFileSystemModel* model_;
  QTreeView* tree_;
  QLineEdit* typed_;
  QPushButton* ok_;
  QString chosen_;
};

}  // namespace rt::qtbackend
