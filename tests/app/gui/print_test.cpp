// File -> "Print..." and "Export PDF...": the options asked first, the print
// preview, the PDF written under the chosen name, and a write that fails.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QtTest>
#include <functional>

#include "app/print/print_commands.h"
#include "tests/app/support/gui_test_support.h"
#include "tests/app/support/message_box_answerer.h"
#include "tests/app/support/panel_test_support.h"

using namespace brondavel;
using namespace brondavel::test;
using app::MainPanel;

namespace {

// Acts on the next modal dialog of type T, once it is up.
template <typename T>
void WhenModal(std::function<void(T*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
        }
    });
    timer->start();
}

void ChooseTvOnly(app::SheetOptionsDialog* ask) {
    ask->findChild<QComboBox*>("sheetLists")->setCurrentText("TV");
    ask->accept();
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

        WhenModal<app::SheetOptionsDialog>(ChooseTvOnly);
        panel.BuildFileMenu()->findChild<QAction*>("menuExportPdf")->trigger();
        QFile pdf(dir.filePath("channels.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");

        // A folder that does not exist: a message, not silence.
        chosen = dir.filePath("missing/channels.pdf");
        MessageBoxAnswerer answers;
        WhenModal<app::SheetOptionsDialog>(ChooseTvOnly);
        panel.BuildFileMenu()->findChild<QAction*>("menuExportPdf")->trigger();
        QVERIFY(answers.SawPart("Cannot write"));
    }

    void printShowsThePreview() {
        MainPanel panel(DemoPanelOptions());
        bool previewed = false;
        WhenModal<app::SheetOptionsDialog>([&](app::SheetOptionsDialog* ask) {
            WhenModal<app::ChannelSheetPreview>([&](app::ChannelSheetPreview* preview) {
                previewed = true;
                preview->reject();
            });
            ask->accept();
        });
        panel.BuildFileMenu()->findChild<QAction*>("menuPrint")->trigger();
        QVERIFY(previewed);
    }
};

QTEST_MAIN(PrintTest)
#include "print_test.moc"
