#include "GameScorePrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextObjectInterface>

#include "BoardImage.h"
#include "GameScore.h"

namespace {

constexpr int kDiagramObject = QTextFormat::UserObject + 1;
constexpr int kDiagramSquares = QTextFormat::UserProperty + 1;
// Its arrows, five bytes each (colour, from file and rank, to file and
// rank), and marks, three each.
constexpr int kDiagramArrows = QTextFormat::UserProperty + 2;
constexpr int kDiagramMarks = QTextFormat::UserProperty + 3;
// A diagram's side: six centimetres, as book diagrams are.
constexpr qreal kDiagramInches = 6 / 2.54;

// Draws the diagrams inline, from the pieces' vector sources at the
// device's own resolution.
class DiagramObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    using QObject::QObject;

    QSizeF intrinsicSize(QTextDocument* document, int, const QTextFormat&) override {
        const QPaintDevice* device = document->documentLayout()->paintDevice();
        const qreal side = kDiagramInches * (device != nullptr ? device->logicalDpiY() : 96);
        return QSizeF(side, side);
    }
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                    const QTextFormat& format) override {
        const QByteArray squares = format.property(kDiagramSquares).toByteArray();
        if (squares.size() != 128) return;
        int piece[8][8], color[8][8];
        for (int i = 0; i < 64; ++i) {
            piece[i / 8][i % 8] = static_cast<signed char>(squares[i]);
            color[i / 8][i % 8] = static_cast<signed char>(squares[64 + i]);
        }
        const QByteArray arrowBytes = format.property(kDiagramArrows).toByteArray();
        const QByteArray markBytes = format.property(kDiagramMarks).toByteArray();
        std::vector<NoteArrow> arrows;
        std::vector<NoteMark> marks;
        for (qsizetype at = 0; at + 5 <= arrowBytes.size(); at += 5)
            arrows.push_back(NoteArrow{arrowBytes[at],
                                       Square(arrowBytes[at + 1], arrowBytes[at + 2]),
                                       Square(arrowBytes[at + 3], arrowBytes[at + 4])});
        for (qsizetype at = 0; at + 3 <= markBytes.size(); at += 3)
            marks.push_back(NoteMark{markBytes[at], Square(markBytes[at + 1], markBytes[at + 2])});
        BoardImage::Draw(*painter, rect, piece, color, false, true, arrows, marks);
    }
};

QFont BookFont(qreal points, bool bold = false, bool italic = false) {
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// The type of the main line's moves and of the variations'.
QFont MoveFont(bool inVariation) {
    return BookFont(inVariation ? 9 : 11, !inVariation);
}

// Starts a paragraph for `block` with its type and indent; `endsHeading`
// for the heading's last line, which keeps the moves apart from it.
// `point` is a point's length in the device's pixels, which the layout takes
// a paragraph's indent in; its space above and below it takes in pixels of a
// 96-dpi screen and scales itself.
void StartParagraph(QTextCursor& cursor, const ScoreBlock& block, bool first, bool endsHeading,
                    qreal point) {
    constexpr qreal kSpace = 96.0 / 72.0;
    using Kind = ScoreBlock::Kind;
    const bool inVariation = block.depth > 0;
    QTextBlockFormat paragraph;
    QTextCharFormat type;
    paragraph.setLeftMargin(18 * point * block.depth);
    paragraph.setBottomMargin(4 * kSpace);
    switch (block.kind) {
        case Kind::Players:
            paragraph.setAlignment(Qt::AlignHCenter);
            type.setFont(BookFont(16, true));
            break;
        case Kind::Details:
            paragraph.setAlignment(Qt::AlignHCenter);
            type.setFont(BookFont(11, false, true));
            break;
        case Kind::Moves:
            type.setFont(MoveFont(inVariation));
            break;
        case Kind::Note:
            type.setFont(BookFont(inVariation ? 9 : 11));
            break;
        case Kind::Diagram:
            paragraph.setAlignment(Qt::AlignHCenter);
            paragraph.setTopMargin(6 * kSpace);
            paragraph.setBottomMargin(10 * kSpace);
            paragraph.setLeftMargin(0);
            break;
        case Kind::Result:
            paragraph.setTopMargin(6 * kSpace);
            type.setFont(BookFont(11, true));
            break;
    }
    if (endsHeading) paragraph.setBottomMargin(16 * kSpace);
    if (first) {
        cursor.setBlockFormat(paragraph);
        cursor.setBlockCharFormat(type);
        cursor.setCharFormat(type);
    } else {
        cursor.insertBlock(paragraph, type);
    }
}

void Fill(QTextDocument& document, const CGameRecord& game, bool figurines, qreal point) {
    QTextCursor cursor(&document);
    bool first = true;
    // A move number stays on the line of its move.
    static const QRegularExpression numbers(QStringLiteral("(\\d+\\.(\\.\\.)?) "));
    // A glyph's sign goes in only where every type the moves are printed in
    // draws it, itself or from the fallback fonts the layout would take it
    // from, so that it is seen, and the same on every line.
    const QFontMetrics mainLine(MoveFont(false)), variations(MoveFont(true));
    const auto fontsHave = [&](char32_t ucs4) {
        return mainLine.inFontUcs4(ucs4) && variations.inFontUcs4(ucs4);
    };
    const std::vector<ScoreBlock> blocks = BuildGameScore(game, figurines, fontsHave);
    for (std::size_t at = 0; at < blocks.size(); ++at) {
        const ScoreBlock& block = blocks[at];
        const bool heading =
            block.kind == ScoreBlock::Kind::Players || block.kind == ScoreBlock::Kind::Details;
        const bool endsHeading = heading && (at + 1 == blocks.size() ||
                                             blocks[at + 1].kind != ScoreBlock::Kind::Details);
        StartParagraph(cursor, block, first, endsHeading, point);
        first = false;
        if (block.kind == ScoreBlock::Kind::Moves) {
            cursor.insertText(
                QString::fromStdString(block.text).replace(numbers, QStringLiteral("\\1\u00A0")));
            continue;
        }
        if (block.kind != ScoreBlock::Kind::Diagram) {
            cursor.insertText(QString::fromStdString(block.text));
            continue;
        }
        QByteArray squares(128, '\0');
        for (int i = 0; i < 64; ++i) {
            squares[i] = static_cast<char>(block.piece[i / 8][i % 8]);
            squares[64 + i] = static_cast<char>(block.color[i / 8][i % 8]);
        }
        QTextCharFormat diagram;
        diagram.setObjectType(kDiagramObject);
        diagram.setProperty(kDiagramSquares, squares);
        QByteArray arrows, marks;
        for (const NoteArrow& arrow : block.arrows) {
            const char bytes[] = {arrow.colour, char(arrow.from.file), char(arrow.from.rank),
                                  char(arrow.to.file), char(arrow.to.rank)};
            arrows.append(bytes, sizeof bytes);
        }
        for (const NoteMark& mark : block.marks) {
            const char bytes[] = {mark.colour, char(mark.square.file), char(mark.square.rank)};
            marks.append(bytes, sizeof bytes);
        }
        diagram.setProperty(kDiagramArrows, arrows);
        diagram.setProperty(kDiagramMarks, marks);
        cursor.insertText(QString(QChar::ObjectReplacementCharacter), diagram);
    }
}

}  // namespace

bool GameScorePrinter::Print(const CGameRecord& game, bool figurines, QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    QTextDocument document;
    document.setUndoRedoEnabled(false);
    document.setDocumentMargin(0);
    DiagramObject diagrams;
    document.documentLayout()->registerHandler(kDiagramObject, &diagrams);
    document.documentLayout()->setPaintDevice(&device);
    document.setDefaultFont(BookFont(11));
    // Pages of the device's printable area; the layout moves a line that
    // would cross a page's end, a diagram included, onto the next page.
    const QRectF page(0, 0, device.width(), device.height());
    document.setPageSize(page.size());
    Fill(document, game, figurines, device.logicalDpiY() / 72.0);
    const int pages = document.pageCount();
    for (int index = 0; index < pages; ++index) {
        if (index > 0 && !device.newPage()) return false;
        painter.save();
        painter.translate(0, -index * page.height());
        // A line moved onto the next page may begin a fraction of a pixel
        // before it: half a point less at the bottom keeps that off this one.
        document.drawContents(&painter, QRectF(0, index * page.height(), page.width(),
                                               page.height() - device.logicalDpiY() / 144.0));
        painter.restore();
    }
    return painter.end();
}

bool GameScorePrinter::WritePdf(const CGameRecord& game, bool figurines, const QString& path,
                                const QString& title) {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    writer.setResolution(300);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Ravelin"));
    return Print(game, figurines, writer) && QFile::exists(path);
}

#include "GameScorePrinter.moc"
