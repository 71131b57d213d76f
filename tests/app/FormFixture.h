#pragma once

#include "TForm1.h"
#include "TestDialogs.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace markwell::test {

// A program folder of its own for each test, with the shipped English language file.
class FormFixture
{
public:
    bool setUp()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        dialogs = TestDialogs();
        return m_dir->isValid() && QDir(m_dir->path()).mkpath("program/languages") &&
               QFile::copy(QStringLiteral(MARKWELL_SOURCE_DIR "/languages/english.ini"),
                           path("program/languages/english.ini"));
    }

    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString program(const QString &name = QString()) const { return path("program/" + name); }

    std::unique_ptr<TForm1> makeForm(const QStringList &commandLine = {})
    {
        auto form = std::make_unique<TForm1>(program(), dialogs, commandLine);
        form->show();
        return form;
    }

    void writeFile(const QString &file, const QByteArray &bytes) const
    {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    TestDialogs dialogs;

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

} // namespace markwell::test
