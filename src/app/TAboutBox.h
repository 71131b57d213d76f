#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace markwell {

class TForm1;

// The About box: product, version, description and the maker's links. Its texts follow
// the language in force each time it is shown.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    TAboutBox(TForm1 &form, QWidget *parent);

    QLabel *ProgramIcon = nullptr;
    QLabel *ProductName = nullptr;
    QLabel *Version = nullptr;
    QLabel *Comments = nullptr;
    QLabel *Copyright = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *License = nullptr;
    QPushButton *OKButton = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();

    TForm1 &m_form;
};

// The program's icon, drawn so it needs no image plug-in.
QPixmap programIcon(int size);

} // namespace markwell
