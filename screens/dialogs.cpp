// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs.h"

#include "identity.h"
#include "printout.h"

#include <QApplication>
#include <QDate>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

void MessageBoxDialogs::message(QWidget *over, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(Startup::kApplicationTitle), text, QMessageBox::Ok, over);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void MessageBoxDialogs::endProgram()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        window->hide();
    QApplication::exit(0);
}

void MessageBoxDialogs::print(QWidget *over, const Startup::Printout &printout)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, over);
    if (dialog.exec() == QDialog::Accepted)
        PaintPrintout(printer, printout, QDate::currentDate());
}
