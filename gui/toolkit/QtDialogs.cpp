#include "toolkit/QtDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

Dialogs::Answer QtDialogs::MsgBox(QWidget* owner, const QString& Prompt, Icon icon, Buttons buttons,
                                  const QString& Title) {
    QMessageBox box(owner);
    box.setWindowTitle(Title);
    QString text = Prompt;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    switch (icon) {
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    if (buttons == Buttons::OKCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? Answer::OK : Answer::Cancel;
}

QString QtDialogs::BrowseForFolder(QWidget* owner, const QString& sPrompt) {
    QFileDialog dialog(owner, sPrompt, QDir::homePath());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setLabelText(QFileDialog::LookIn, sPrompt);
    dialog.setWindowModality(Qt::WindowModal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    const QString chosen = dialog.selectedFiles().first();
    if (!QFileInfo(chosen).isDir()) {
        return QString();
    }
    QString path = QDir::cleanPath(chosen);
    return path;
}

void QtDialogs::EndProgram() {
    std::fflush(nullptr);
    std::_Exit(0);
}
