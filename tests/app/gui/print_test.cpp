// File -> "Print..." and "Export PDF...": the options asked first, the print
// preview, the PDF written under the chosen name, and a write that fails.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QtTest>

#include "app/print/print_commands.h"
#include "tests/app/support/gui_test_support.h"
#include "tests/app/support/message_box_answerer.h"
#include "tests/app/support/panel_test_support.h"

using namespace brondavel;
using namespace brondavel::test;
using app::MainPanel;

namespace {

// Answers the options asked first with the TV list only.
void ChooseTvOnly(QWidget* ask) {
    if (auto* lists = ask->findChild<QComboBox*>("sheetLists")) lists->setCurrentText("TV");
    static_cast<QDialog*>(ask)->accept();
}

}  // namespace

class PrintTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { EnsureRuntimeFolder(); }
    void init() { ResetSettings(); }

    void exportPdfWritesTheChosenFile() {
        MainPanel panel(DemoPanelOptions());
        QTemporaryDir dir;
        QString chosen = dir.filePath("channels");
        panel.SetPathChoosers({{}, [&](const QString&) { return chosen; }, {}});

        OnNextModal(ChooseTvOnly);
        panel.BuildFileMenu()->findChild<QAction*>("menuExportPdf")->trigger();
        QVERIFY(ReadAll(dir.filePath("channels.pdf")).startsWith("%PDF-"));

        // A folder that does not exist: a message, not silence.
        chosen = dir.filePath("missing/channels.pdf");
        MessageBoxAnswerer answers;
        OnNextModal(ChooseTvOnly);
        panel.BuildFileMenu()->findChild<QAction*>("menuExportPdf")->trigger();
        QVERIFY(answers.SawPart("Cannot write"));
    }

    void printShowsThePreview() {
        MainPanel panel(DemoPanelOptions());
        bool previewed = false;
        OnNextModal([&](QWidget* ask) {
            OnNextModal([&](QWidget* preview) {
                previewed = qobject_cast<app::ChannelSheetPreview*>(preview);
                static_cast<QDialog*>(preview)->reject();
            });
            static_cast<QDialog*>(ask)->accept();
        });
        panel.BuildFileMenu()->findChild<QAction*>("menuPrint")->trigger();
        QVERIFY(previewed);
    }
};

QTEST_MAIN(PrintTest)
#include "print_test.moc"
