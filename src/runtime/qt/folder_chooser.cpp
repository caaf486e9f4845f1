#include "runtime/qt/folder_chooser.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "runtime/qt/state.h"

namespace rt::qtbackend {
FolderChooser::FolderChooser(const QString& prompt)
    : model_(MakeChild<QFileSystemModel>(this)),
      tree_(MakeChild<QTreeView>(this)),
      typed_(MakeChild<QLineEdit>(this)),
      ok_(nullptr) {
  setWindowTitle(prompt);
  setModal(true);
  auto* const layout = MakeChild<QVBoxLayout>(this);
  auto* const label = MakeChild<QLabel>(this, prompt);
  label->setWordWrap(true);
  layout->addWidget(label);

  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  model_->setRootPath("/");
  tree_->setModel(model_);
  tree_->setRootIndex(model_->index("/"));
  for (int column = 1; column < model_->columnCount(); ++column) {
    tree_->hideColumn(column);
  }
  tree_->header()->hide();
  const QModelIndex home = model_->index(QDir::homePath());
  tree_->setCurrentIndex(home);
  tree_->scrollTo(home);
  layout->addWidget(tree_);
  layout->addWidget(typed_);

  auto* const buttons =
      MakeChild<QDialogButtonBox>(this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { Choose(typed_->text()); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { FollowTree(); });
  connect(typed_, &QLineEdit::textChanged, this, [this] { CheckTypedFolder(); });
  FollowTree();
  resize(360, 420);
}

QString FolderChooser::ChosenFolder() const {
  return chosen_;
}

void FolderChooser::Choose(const QString& folder) {
  chosen_ = Absolute(folder);
  accept();
}

// A folder typed without its full path lies in the folder selected in the tree.
QString FolderChooser::Absolute(const QString& folder) const {
  const QString selected = model_->filePath(tree_->currentIndex());
  return QDir(selected.isEmpty() ? QDir::rootPath() : selected).absoluteFilePath(folder);
}

void FolderChooser::FollowTree() {
  typed_->setText(model_->filePath(tree_->currentIndex()));
}

// Only a folder that exists can be chosen.
void FolderChooser::CheckTypedFolder() {
  ok_->setEnabled(QFileInfo(Absolute(typed_->text())).isDir());
}

}  // namespace rt::qtbackend
