#include "CDialog.h"

#include "QtText.h"
#include "fw/core/FrameworkIds.h"

#include <QLabel>
#include <QPushButton>

CDialog::CDialog(const DialogDef& definition, const CResourceSet& resources, QWidget* pParent) : QDialog(pParent)
{
    setWindowTitle(ToQString(definition.caption));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    QFont dialogFont(ToQString(definition.fontName), definition.nFontPoints);
    setFont(dialogFont);
    const QFontMetrics metrics(dialogFont);
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_baseUnits = QSize((metrics.horizontalAdvance(alphabet) / 26 + 1) / 2, metrics.height());
    setFixedSize(MapDialogRect(0, 0, definition.cx, definition.cy).size());

    for (const DialogControlDef& control : definition.controls) {
        const QRect rect = MapDialogRect(control.x, control.y, control.cx, control.cy);
        QWidget* pWidget = nullptr;
        switch (control.kind) {
        case DialogControlKind::StaticIcon: {
            auto* pLabel = new QLabel(this);
            pLabel->setPixmap(QPixmap(ToQString(resources.IconPath(control.nIconID))));
            pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            // An icon control takes the icon's own size.
            pLabel->setGeometry(QRect(rect.topLeft(), pLabel->pixmap().size().expandedTo(rect.size())));
            continue;
        }
        case DialogControlKind::StaticText: {
            auto* pLabel = new QLabel(ToQString(control.text), this);
            pLabel->setTextFormat(Qt::PlainText);
            pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            pLabel->setWordWrap((control.flags & DLG_WORDWRAP) != 0);
            pWidget = pLabel;
            break;
        }
        case DialogControlKind::PushButton: {
            auto* pButton = new QPushButton(ToQString(control.text), this);
            pButton->setDefault((control.flags & DLG_DEFAULT) != 0);
            pButton->setAutoDefault(false);
            if (control.nID == IDOK)
                connect(pButton, &QPushButton::clicked, this, &QDialog::accept);
            pWidget = pButton;
            break;
        }
        }
        pWidget->setGeometry(rect);
    }
}

QRect CDialog::MapDialogRect(int x, int y, int cx, int cy) const
{
    const auto horizontal = [this](int n) { return n * m_baseUnits.width() / 4; };
    const auto vertical = [this](int n) { return n * m_baseUnits.height() / 8; };
    return QRect(horizontal(x), vertical(y), horizontal(cx), vertical(cy));
}
