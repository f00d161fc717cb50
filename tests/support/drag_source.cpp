// A file manager's drag, for the checks under X: a window titled
// "Ziehquelle" that starts dragging the file named on the command line as
// soon as a button is pressed in it, through the X drag-and-drop protocol
// the letter window receives real drags by.
//   drag_source FILE

#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace {

class DragSource : public QLabel {
public:
    explicit DragSource(QString file) : QLabel(file), file_(std::move(file)) {}

protected:
    void mousePressEvent(QMouseEvent*) override
    {
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(file_)});
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
    }

private:
    QString file_;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    DragSource source(QString::fromLocal8Bit(argv[1]));
    source.setWindowTitle(QStringLiteral("Ziehquelle"));
    source.resize(200, 100);
    source.move(700, 50);
    source.show();
    return app.exec();
}
