// HELP: the help document beside the program, in the start directory or installed, opened by
// the desktop's viewer.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include "gui/app/Aboutunit.h"
#include "gui/app/FileOpenErrorunit.h"
#include "gui/app/HelpDocument.h"
#include "gui/app/NoDeviceunit.h"
#include "gui/bus/Gpiounit.h"
#include "gui/gen1/Registersunit.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/UpDown.h"
#include "tests/gui/MainWindowFixture.h"

namespace qk::test {
namespace {

using Strings = std::vector<std::string>;

// --- Help document ---

// The program started in a directory whose name needs quoting in any shell; a fake viewer
// records the arguments it got.
class HelpDocument : public MainWindowTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.isValid());
        startDirectory_ = scratch_.path() + "/it's \"odd\" $HOME dir";
        ASSERT_TRUE(QDir().mkpath(startDirectory_));
        previousDirectory_ = QDir::currentPath();
        QDir::setCurrent(startDirectory_);
        installedDirectory_ = scratch_.path() + "/share/qk3xx";
        ASSERT_TRUE(QDir().mkpath(installedDirectory_));
        programDirectory_ = scratch_.path() + "/bin";
        ASSERT_TRUE(QDir().mkpath(programDirectory_));
        MainWindowTest::SetUp();
        previousViewer_ = SetHelpViewer(WriteViewer(0));
        previousInstalled_ = SetInstalledHelpDirectory(installedDirectory_);
        previousProgram_ = SetProgramHelpDirectory(programDirectory_);
    }
    void TearDown() override {
        SetProgramHelpDirectory(previousProgram_);
        SetInstalledHelpDirectory(previousInstalled_);
        SetHelpViewer(previousViewer_);
        MainWindowTest::TearDown();
        QDir::setCurrent(previousDirectory_);
    }

    QString WriteViewer(int exitCode) {
        const QString script = scratch_.filePath("viewer.sh");
        QFile file(script);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QString("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > '%1'\nexit %2\n")
                       .arg(RecordPath())
                       .arg(exitCode)
                       .toUtf8());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return script;
    }
    QString RecordPath() const { return scratch_.filePath("viewer-arguments.txt"); }
    Strings ViewerArguments() const {
        QFile file(RecordPath());
        if (!file.open(QIODevice::ReadOnly)) return {};
        Strings lines;
        for (const QByteArray& line : file.readAll().split('\n'))
            if (!line.isEmpty()) lines.push_back(line.toStdString());
        return lines;
    }
    void PutDocument(const QString& directory) {
        QFile document(directory + "/MRX OI.PDF");
        ASSERT_TRUE(document.open(QIODevice::WriteOnly));
    }
    void PutDocument() { PutDocument(startDirectory_); }

    QString startDirectory_;
    QString installedDirectory_;
    QString programDirectory_;

  private:
    QTemporaryDir scratch_;
    QString previousDirectory_;
    QString previousViewer_;
    QString previousInstalled_;
    QString previousProgram_;
};

TEST_F(HelpDocument, OpensTheDocumentOfTheStartDirectoryAsOneArgument) {
    PutDocument();
    QDir::setCurrent(QDir::tempPath());  // the directory at start counts, not the current one
    Click(OkapiForm, "HelpBitBtn");

    EXPECT_EQ(ViewerArguments(), (Strings{"1", (startDirectory_ + "/MRX OI.PDF").toStdString()}));
    EXPECT_TRUE(dialogs.empty());
    EXPECT_TRUE(OkapiForm->isVisible());
    EXPECT_FALSE(OkapiForm->isMinimized()) << "restored after the viewer ended";
}

TEST_F(HelpDocument, LooksBesideTheProgramThenInTheStartDirectoryThenInstalled) {
    struct Case {
        std::vector<QString> holders;  // the folders that hold a copy
        QString opened;
    };
    const Case cases[] = {
        {{programDirectory_, startDirectory_, installedDirectory_}, programDirectory_},
        {{programDirectory_, installedDirectory_}, programDirectory_},
        {{startDirectory_, installedDirectory_}, startDirectory_},
        {{installedDirectory_}, installedDirectory_},
    };
    for (const Case& c : cases) {
        for (const QString& folder : {programDirectory_, startDirectory_, installedDirectory_})
            QFile::remove(folder + "/MRX OI.PDF");
        for (const QString& folder : c.holders) PutDocument(folder);
        Click(OkapiForm, "HelpBitBtn");
        EXPECT_EQ(ViewerArguments(), (Strings{"1", (c.opened + "/MRX OI.PDF").toStdString()}));
    }
    EXPECT_TRUE(dialogs.empty());
}

TEST_F(HelpDocument, MissingDocumentIsReported) {
    Click(OkapiForm, "HelpBitBtn");
    EXPECT_EQ(dialogs, Strings{"FileOpenErrorDlgForm"});
    EXPECT_TRUE(ViewerArguments().empty()) << "no viewer for a missing file";
}

TEST_F(HelpDocument, ViewerFailureIsReported) {
    PutDocument();
    SetHelpViewer(WriteViewer(4));
    Click(OkapiForm, "HelpBitBtn");
    EXPECT_EQ(ViewerArguments().size(), 2u);
    EXPECT_EQ(dialogs, Strings{"FileOpenErrorDlgForm"});
    EXPECT_FALSE(OkapiForm->isMinimized());
}

TEST_F(HelpDocument, ViewerThatCannotStartIsReported) {
    PutDocument();
    SetHelpViewer(startDirectory_ + "/no such viewer");
    Click(OkapiForm, "HelpBitBtn");
    EXPECT_EQ(dialogs, Strings{"FileOpenErrorDlgForm"});
}

}  // namespace
}  // namespace qk::test
