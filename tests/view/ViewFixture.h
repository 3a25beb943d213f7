// Shared set-up of the board view tests: a new game shown in a 610 x 640 view
// on the offscreen platform, message boxes collected instead of shown, and
// the pictures the view should show, built from the resource images on their
// own (board picture, stones copied through the stone mask, the marker ring,
// numbers and caption drawn with the view's font).
#pragma once

#include "record/ClientDoc.h"
#include "record/MoveRecord.h"
#include "support/FakePrompts.h"
#include "view/ClientView.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

class ViewTest : public ::testing::Test {
protected:
    ViewTest()
    {
        m_doc.OnNewDocument();
        m_view.SetDocument(&m_doc);
        m_view.resize(610, 640);
        m_view.show();
    }

    void SetUp() override { ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view)); }

    // Left clicks at the centres of stones; PASS_MARK and BOMB_MARK run the
    // pass and bomb commands instead.
    void Play(std::initializer_list<MovePoint> entries)
    {
        for (const MovePoint& entry : entries) {
            if (entry == PASS_MARK)
                m_view.OnPass();
            else if (entry == BOMB_MARK)
                m_view.OnDefineBomb();
            else
                m_view.OnLButtonDown(Centre(entry.x, entry.y));
        }
    }

    // Nine live moves; the seventh takes the last liberty of the white stone
    // at (10, 10), which live play leaves on the board. Stepping back rebuilds
    // the position, sweeping that stone at the seventh entry; the rebuild's
    // last sweep captures nothing, so only the square of the stone taken back
    // is repainted and the swept white stone stays on screen.
    void LeaveASweptStoneOnScreen()
    {
        Play({{9, 10}, {10, 10}, {11, 10}, {1, 1}, {10, 9}, {19, 19}, {10, 11}, {1, 19}, {19, 1}});
        m_view.OnStepBack();
        ASSERT_EQ(m_doc.GetPosition().ValueAt(10, 10), PT_EMPTY);
    }

    static QPoint Centre(int x, int y) { return {30 * x, 30 * y}; }
    static QRect Cell(int x, int y) { return {30 * x - 15, 30 * y - 15, 30, 30}; }
    static QRect BoardArea() { return {0, 0, 600, 600}; }

    static QImage Resource(const char* pszName)
    {
        return QImage(QStringLiteral(":/images/") + QLatin1String(pszName)).convertToFormat(QImage::Format_RGB32);
    }

    // The stone image inside the mask's disc, the picture as it was outside.
    static void PutStone(QImage& picture, int x, int y, PointValue value)
    {
        const QImage mask = Resource("mask.png");
        const QImage stone = Resource(value == PT_BLACK ? "black.png" : value == PT_WHITE ? "white.png" : "flower.png");
        for (int i = 0; i < 30; ++i)
            for (int j = 0; j < 30; ++j)
                if (mask.pixel(i, j) == qRgb(255, 255, 255))
                    picture.setPixel(30 * x - 15 + i, 30 * y - 15 + j, stone.pixel(i, j));
    }

    // The board picture with every stone of the document's board on it.
    QImage ExpectedBoard() const
    {
        QImage picture = Resource("board.png");
        for (int x = 1; x <= 19; ++x)
            for (int y = 1; y <= 19; ++y)
                if (m_doc.GetPosition().ValueAt(x, y) != PT_EMPTY)
                    PutStone(picture, x, y, m_doc.GetPosition().ValueAt(x, y));
        return picture;
    }

    static void PutMarker(QImage& picture, int x, int y)
    {
        const QRect cell = Cell(x, y);
        for (int i = 0; i < 30; ++i)
            for (const QPoint& p : {QPoint(cell.left() + i, cell.top()), QPoint(cell.left() + i, cell.bottom()),
                                    QPoint(cell.left(), cell.top() + i), QPoint(cell.right(), cell.top() + i)})
                picture.setPixel(p, qRgb(192, 0, 0));
    }

    // Number k with its top-left corner at (30x - 13, 30y - 7): white when
    // odd, black when even.
    void PutNumber(QImage& picture, int x, int y, int k) const
    {
        QPainter painter(&picture);
        painter.setFont(m_view.font());
        painter.setPen(k % 2 != 0 ? Qt::white : Qt::black);
        painter.drawText(QRect(30 * x - 13, 30 * y - 7, 60, 30), Qt::AlignLeft | Qt::AlignTop, QString::number(k));
    }

    // Where the caption goes: the width of the widest caption, from (20, 610).
    QRect CaptionArea() const
    {
        return QRect(QPoint(20, 610), QFontMetrics(m_view.font()).size(0, QString::fromUtf8("黑361.-11-11"))) &
               m_view.rect();
    }

    // The caption area as it should look: caption black on white.
    QImage ExpectedCaption(const std::string& strCaption) const
    {
        QImage picture(m_view.size(), QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        painter.setFont(m_view.font());
        painter.setPen(Qt::black);
        painter.drawText(QRect(20, 610, 590, 30), Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(strCaption));
        return picture;
    }

    // How many pixels of area the view shows differently from expected.
    int Differences(const QImage& expected, const QRect& area)
    {
        const QImage& screen = m_view.ScreenImage();
        int nCount = 0;
        for (int x = area.left(); x <= area.right(); ++x)
            for (int y = area.top(); y <= area.bottom(); ++y)
                nCount += screen.pixel(x, y) != expected.pixel(x, y) ? 1 : 0;
        return nCount;
    }

    // How many pixels of area the view shows in this colour.
    int PixelsOfColour(const QRect& area, QRgb colour)
    {
        const QImage& screen = m_view.ScreenImage();
        int nCount = 0;
        for (int x = area.left(); x <= area.right(); ++x)
            for (int y = area.top(); y <= area.bottom(); ++y)
                nCount += screen.pixel(x, y) == colour ? 1 : 0;
        return nCount;
    }

    static constexpr QRgb kMarker = 0xFFC00000;  // RGB(192, 0, 0)

    CFakePrompts m_prompts;  // the view asks nothing: it only shows messages
    CPromptsOverride m_promptsOverride{m_prompts};
    CClientDoc m_doc;
    CClientView m_view;  // after the document it shows
};
