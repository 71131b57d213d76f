#pragma once

#include <QWidget>

namespace markwell {

class TForm1;

// The window's client area: it paints the background and the section header bars
// behind the controls it holds.
class FormSurface : public QWidget
{
    Q_OBJECT

public:
    FormSurface(TForm1 &form, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    TForm1 &m_form;
};

} // namespace markwell
