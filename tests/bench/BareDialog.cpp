// The yardstick of the start-up benchmark: a plain Qt dialog of 80 widgets, laid out by hand
// as the main form is, with nothing behind it.

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Bare dialog"));
    dialog.setFixedSize(760, 620);
    constexpr int kRows = 20; // each row: a label, a line edit, a second label, a list or a button
    for (int row = 0; row < kRows; ++row) {
        const int y = 10 + row * 28;
        auto* label = new QLabel(QStringLiteral("标签 %1").arg(row), &dialog);
        label->setGeometry(10, y, 100, 24);
        auto* edit = new QLineEdit(&dialog);
        edit->setGeometry(120, y, 220, 24);
        auto* second = new QLabel(QStringLiteral("Field %1").arg(row), &dialog);
        second->setGeometry(360, y, 100, 24);
        if (row % 2 == 0) {
            auto* list = new QComboBox(&dialog);
            list->addItems({QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")});
            list->setGeometry(470, y, 200, 24);
        } else {
            auto* button = new QPushButton(QStringLiteral("按钮 %1").arg(row), &dialog);
            button->setGeometry(470, y, 200, 24);
        }
    }
    dialog.show();
    return app.exec();
}
