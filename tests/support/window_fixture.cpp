#include "window_fixture.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace dialoscope::test {

namespace {

const QString ExamplesDir = QStringLiteral(DIALOSCOPE_EXAMPLES_DIR);

} // namespace

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void TWindowTest::OpenWindow(QSize size) {
    Dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(Dir_->isValid());
    auto user = std::make_unique<TFakeDialogs>();
    User_ = user.get();
    Form_ = std::make_unique<TForm1>(std::move(user));
    Form_->Workspace().ScriptsLstPath =
        QFile::encodeName(InDir(QStringLiteral("scripts.lst"))).toStdString();
    if (size.isValid()) {
        Form_->resize(size);
    }
    Form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form_.get()));
}

void TWindowTest::CloseWindow() {
    Form_.reset();
    Dir_.reset();
}

void TWindowTest::CopyExample() {
    for (const char* name : {"guard.ipp", "guard.msg", "scripts.lst"}) {
        QVERIFY(QFile::copy(QDir(ExamplesDir).filePath(name), InDir(name)));
    }
}

void TWindowTest::OpenExampleIn(TCommand pane) {
    CopyExample();
    Form_->LoadFile(InDir(QStringLiteral("guard.ipp")));
    Form_->Trigger(TCommand::Analyze);
    Form_->Trigger(pane);
    QVERIFY2(User_->Errors.isEmpty(), qPrintable(User_->Errors.join('\n')));
}

} // namespace dialoscope::test
