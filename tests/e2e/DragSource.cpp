// A drag source for the end-to-end tests, as a file manager is one: a small
// window at the place given that, when pressed, drags the files given as
// file URLs through the window system's own drag and drop. It prints what
// the drop did ("copied" or "ignored") and keeps running until it is ended:
// the target asks the source for the files' names after the drop, so a
// source that left at once would hand it nothing.
//
//     e2e_drag_source X Y FILE...
#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

#include <cstdio>

namespace {

class CDragSource : public QWidget {
public:
    explicit CDragSource(QList<QUrl> urls) : m_urls(std::move(urls)) { setFixedSize(120, 80); }

protected:
    void mousePressEvent(QMouseEvent*) override
    {
        auto* pData = new QMimeData;
        pData->setUrls(m_urls);
        auto* pDrag = new QDrag(this);
        pDrag->setMimeData(pData);
        const Qt::DropAction action = pDrag->exec(Qt::CopyAction);
        std::puts(action == Qt::IgnoreAction ? "ignored" : "copied");
        std::fflush(stdout);
    }

private:
    QList<QUrl> m_urls;
};

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        std::fputs("usage: e2e_drag_source X Y FILE...\n", stderr);
        return 2;
    }
    QList<QUrl> urls;
    for (qsizetype i = 3; i < args.size(); ++i)
        urls.push_back(QUrl::fromLocalFile(QFileInfo(args[i]).absoluteFilePath()));
    CDragSource source(urls);
    source.setWindowTitle(QStringLiteral("e2e drag source"));
    source.move(args[1].toInt(), args[2].toInt());
    source.show();
    return QApplication::exec();
}
