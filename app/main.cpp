// brondavel [FILE] [--model 0|1|2] [--port DEV]
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label("Brondavel");
    label.show();
    return app.exec();
}
