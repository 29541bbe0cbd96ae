// The .docx file of a document of DocxBackend: the package parts written as OOXML text.
#include <algorithm>
#include <cmath>
#include <string>

#include "core/Numbers.h"
#include "output/office/DocxBackend.h"
#include "output/office/DocxLayout.h"
#include "output/office/OfficeConstants.h"
#include "output/office/TextWidth.h"
#include "output/office/ZipArchive.h"

namespace kestrune::office {
namespace {

using namespace docx;

constexpr const char* kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                if (static_cast<unsigned char>(c) >= 0x20 || c == '\t')
                    out += c;
        }
    }
    return out;
}

std::string attribute(const char* name, long value) {
    return std::string(" ") + name + "=\"" + std::to_string(value) + "\"";
}

std::string borderElement(const char* name, const DocxBackend::Border& border) {
    if (border.lineStyle <= wdLineStyleNone)
        return std::string("<w:") + name + " w:val=\"nil\"/>";
    return std::string("<w:") + name + " w:val=\"single\"" + attribute("w:sz", border.lineWidth) +
           " w:space=\"0\" w:color=\"000000\"/>";
}

const DocxBackend::Border& tableBorder(const DocxBackend::TableData& table, int index) {
    return table.borders[static_cast<std::size_t>(-index - 1)];
}

std::string tableBorders(const DocxBackend::TableData& table) {
    return "<w:tblBorders>" + borderElement("top", tableBorder(table, wdBorderTop)) +
           borderElement("left", tableBorder(table, wdBorderLeft)) +
           borderElement("bottom", tableBorder(table, wdBorderBottom)) +
           borderElement("right", tableBorder(table, wdBorderRight)) +
           borderElement("insideH", tableBorder(table, wdBorderHorizontal)) +
           borderElement("insideV", tableBorder(table, wdBorderVertical)) + "</w:tblBorders>";
}

std::string cellBorders(const DocxBackend::TableData& table, const DocxBackend::Cell& cell) {
    std::string inner;
    const auto add = [&inner](const char* name, const DocxBackend::Border& border) {
        if (border.lineStyle >= 0)
            inner += borderElement(name, border);
    };
    add("top", cell.top);
    add("left", cell.left);
    add("bottom", cell.bottom);
    add("right", cell.right);
    // Diagonals belong to the cells in the file; the table's own apply to every cell.
    if (tableBorder(table, wdBorderDiagonalDown).lineStyle > wdLineStyleNone)
        inner += borderElement("tl2br", tableBorder(table, wdBorderDiagonalDown));
    if (tableBorder(table, wdBorderDiagonalUp).lineStyle > wdLineStyleNone)
        inner += borderElement("tr2bl", tableBorder(table, wdBorderDiagonalUp));
    return inner.empty() ? std::string() : "<w:tcBorders>" + inner + "</w:tcBorders>";
}

// A cell that holds a number or a spreadsheet error text ("#DIV/0!", "#NUM!"): right-aligned.
bool isNumberCell(const std::string& text) {
    return !text.empty() && (parseReal(text).has_value() || text.front() == '#');
}

// How a table is set: its type size and column widths in twips.
struct TableLook {
    int halfPoints = kFontHalfPoints;
    int cellMargin = kCellMargin;
    std::vector<int> widths;
};

// Column widths in twips at a type size: autofitted columns as wide as their widest text (with
// `wrapText`, a text cell only half as wide, its words wrapped on two lines), the others an
// equal share of the text width.
std::vector<int> columnWidths(const DocxBackend::TableData& table, bool landscape, int halfPoints,
                              int cellMargin, bool wrapText) {
    std::vector<int> widths(static_cast<std::size_t>(table.columns),
                            textWidth(landscape) / std::max(1, table.columns));
    const int character = kHalfWidthCharacter * halfPoints / kFontHalfPoints;
    for (int column : table.autoFitColumns) {
        int widest = 1;
        for (int row = 1; row <= table.rows; ++row) {
            const DocxBackend::Cell& cell = table.cell(row, column);
            int width = cell.vertical ? widestCharacter(cell.text) : displayWidth(cell.text);
            if (wrapText && !cell.vertical && !isNumberCell(cell.text))
                width = std::max(widestCharacter(cell.text), (width + 1) / 2 + 1);
            widest = std::max(widest, width);
        }
        widths[static_cast<std::size_t>(column - 1)] = widest * character + 2 * cellMargin;
    }
    return widths;
}

int sum(const std::vector<int>& widths) {
    int total = 0;
    for (int width : widths)
        total += width;
    return total;
}

// A table never loses a column at the page edge: the largest type (from 10.5 pt down to 6 pt)
// at which it fits the text width, the texts wrapped before the type is made smaller, and at
// 6 pt narrow cell margins; a table that fits at none is set so with its columns narrowed in
// proportion, the texts wrapping.
constexpr int kTightCellMargin = 20;
TableLook tableLook(const DocxBackend::TableData& table, bool landscape) {
    const int available = textWidth(landscape);
    constexpr int kSizes[] = {kFontHalfPoints, 20, 18, 16, 14, 12};
    TableLook look;
    for (int halfPoints : kSizes) {
        for (bool wrapText : {false, true}) {
            look.halfPoints = halfPoints;
            look.cellMargin = std::max(40, kCellMargin * halfPoints / kFontHalfPoints);
            look.widths = columnWidths(table, landscape, halfPoints, look.cellMargin, wrapText);
            if (sum(look.widths) <= available)
                return look;
        }
    }
    // At the smallest type the cells give up most of their inner margins before any text wraps.
    look.cellMargin = kTightCellMargin;
    look.widths = columnWidths(table, landscape, look.halfPoints, look.cellMargin, true);
    if (sum(look.widths) <= available)
        return look;
    const double scale = static_cast<double>(available) / sum(look.widths);
    for (int& width : look.widths)
        width = std::max(1, static_cast<int>(width * scale));
    return look;
}

std::string runProperties(const DocxBackend::Cell& cell, int halfPoints) {
    std::string properties;
    if (cell.bold)
        properties += "<w:b/><w:bCs/>";
    if (cell.colorIndex == wdRed)
        properties += "<w:color w:val=\"FF0000\"/>";
    if (halfPoints != kFontHalfPoints)
        properties +=
            "<w:sz" + attribute("w:val", halfPoints) + "/><w:szCs" + attribute("w:val", halfPoints) + "/>";
    return properties.empty() ? std::string() : "<w:rPr>" + properties + "</w:rPr>";
}

std::string tableXml(const DocxBackend::TableData& table, bool landscape) {
    const TableLook look = tableLook(table, landscape);
    const std::vector<int>& widths = look.widths;
    const int lineHeight = kLineHeight * look.halfPoints / kFontHalfPoints;
    // As wide as its columns, never wider than the text width; the columns set as given.
    std::string xml = "<w:tbl><w:tblPr><w:tblW" + attribute("w:w", sum(widths)) + " w:type=\"dxa\"/>" +
                      tableBorders(table) +
                      "<w:tblLayout w:type=\"fixed\"/>"
                      "<w:tblCellMar><w:left" +
                      attribute("w:w", look.cellMargin) + " w:type=\"dxa\"/><w:right" +
                      attribute("w:w", look.cellMargin) +
                      " w:type=\"dxa\"/></w:tblCellMar></w:tblPr><w:tblGrid>";
    for (int width : widths)
        xml += "<w:gridCol" + attribute("w:w", width) + "/>";
    xml += "</w:tblGrid>";
    for (int row = 1; row <= table.rows; ++row) {
        int stacked = 0;
        for (int column = 1; column <= table.columns; ++column) {
            const DocxBackend::Cell& cell = table.cell(row, column);
            if (cell.vertical)
                stacked = std::max(stacked, characterCount(cell.text));
        }
        xml += "<w:tr>";
        // The first row heads the table again on every page it runs to.
        const bool header = row == 1 && table.rows > 1;
        if (stacked > 0 || header) {
            xml += "<w:trPr>";
            if (header)
                xml += "<w:tblHeader/>";
            if (stacked > 0)
                xml += "<w:trHeight" + attribute("w:val", stacked * lineHeight + look.cellMargin) +
                       " w:hRule=\"atLeast\"/>";
            xml += "</w:trPr>";
        }
        for (int column = 1; column <= table.columns; ++column) {
            const DocxBackend::Cell& cell = table.cell(row, column);
            xml += "<w:tc><w:tcPr><w:tcW" + attribute("w:w", widths[static_cast<std::size_t>(column - 1)]) +
                   " w:type=\"dxa\"/>" + cellBorders(table, cell);
            if (cell.vertical)
                xml += "<w:textDirection w:val=\"tbRlV\"/>";
            xml += "</w:tcPr><w:p>";
            // Headings centred (a number heading "5" never runs into "平均" beside it), numbers
            // to the right.
            if (!cell.vertical && !cell.text.empty() && header)
                xml += "<w:pPr><w:jc w:val=\"center\"/></w:pPr>";
            else if (!cell.vertical && isNumberCell(cell.text))
                xml += "<w:pPr><w:jc w:val=\"right\"/></w:pPr>";
            if (!cell.text.empty())
                xml += "<w:r>" + runProperties(cell, look.halfPoints) + "<w:t xml:space=\"preserve\">" +
                       escaped(cell.text) + "</w:t></w:r>";
            xml += "</w:p></w:tc>";
        }
        xml += "</w:tr>";
    }
    return xml + "</w:tbl>";
}

long emu(double points) {
    return std::lround(points * kEmuPerPoint);
}

std::string relativeFrom(int relativeTo, bool horizontal) {
    switch (relativeTo) {
        case 1:
            return "page";
        case 2:
            return horizontal ? "column" : "paragraph";
        case 3:
            return horizontal ? "character" : "line";
        default:
            return "margin";
    }
}

std::string graphicXml(long cx, long cy) {
    return "<wp:docPr id=\"1\" name=\"図 1\"/><wp:cNvGraphicFramePr><a:graphicFrameLocks "
           "noChangeAspect=\"1\"/>"
           "</wp:cNvGraphicFramePr><a:graphic><a:graphicData "
           "uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"><pic:pic><pic:nvPicPr>"
           "<pic:cNvPr id=\"1\" name=\"image1.emf\"/><pic:cNvPicPr/></pic:nvPicPr><pic:blipFill>"
           "<a:blip r:embed=\"rIdImage1\"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill><pic:spPr>"
           "<a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext" +
           attribute("cx", cx) + attribute("cy", cy) +
           "/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></pic:spPr></pic:pic></a:graphicData>"
           "</a:graphic>";
}

std::string pictureXml(const DocxBackend::PictureData& picture) {
    const long cx = emu(picture.width);
    const long cy = emu(picture.height);
    const bool atTextAreaCorner =
        picture.relativeHorizontal == wdRelativeToPage && picture.relativeVertical == wdRelativeToPage &&
        std::lround(picture.left * 20) == kSideMargin && std::lround(picture.top * 20) == kTopMargin;
    std::string drawing;
    if (!picture.floating || atTextAreaCorner) {
        // The first line of the first page: the same place, and text would flow below it.
        drawing = "<wp:inline distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\"><wp:extent" +
                  attribute("cx", cx) + attribute("cy", cy) + "/>" + graphicXml(cx, cy) + "</wp:inline>";
    } else {
        drawing =
            "<wp:anchor distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\" simplePos=\"0\" relativeHeight=\"1\" "
            "behindDoc=\"0\" locked=\"0\" layoutInCell=\"1\" allowOverlap=\"1\"><wp:simplePos x=\"0\" "
            "y=\"0\"/><wp:positionH relativeFrom=\"" +
            relativeFrom(picture.relativeHorizontal, true) + "\"><wp:posOffset>" +
            std::to_string(emu(picture.left)) +
            "</wp:posOffset></wp:positionH><wp:positionV relativeFrom=\"" +
            relativeFrom(picture.relativeVertical, false) + "\"><wp:posOffset>" +
            std::to_string(emu(picture.top)) + "</wp:posOffset></wp:positionV><wp:extent" +
            attribute("cx", cx) + attribute("cy", cy) +
            "/><wp:effectExtent l=\"0\" t=\"0\" r=\"0\" b=\"0\"/><wp:wrapTopAndBottom/>" +
            graphicXml(cx, cy) + "</wp:anchor>";
    }
    return "<w:r><w:drawing>" + drawing + "</w:drawing></w:r>";
}

std::string documentXml(const DocxBackend& backend, const DocxBackend::DocumentData& doc) {
    const bool landscape = doc.orientation == wdOrientLandscape;
    std::string body;
    for (int number : doc.tables)
        body += tableXml(backend.table(number), landscape);
    body += "<w:p>";
    if (doc.picture)
        body += pictureXml(*doc.picture);
    if (!doc.text.empty())
        body += "<w:r><w:t xml:space=\"preserve\">" + escaped(doc.text) + "</w:t></w:r>";
    body += "</w:p>";
    body += "<w:sectPr><w:pgSz" + attribute("w:w", pageWidth(landscape)) +
            attribute("w:h", pageHeight(landscape)) + (landscape ? " w:orient=\"landscape\"" : "") +
            "/><w:pgMar" + attribute("w:top", kTopMargin) + attribute("w:right", kSideMargin) +
            attribute("w:bottom", kBottomMargin) + attribute("w:left", kSideMargin) +
            " w:header=\"851\" w:footer=\"992\" w:gutter=\"0\"/></w:sectPr>";
    return std::string(kXmlDeclaration) +
           "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
           "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
           "xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\" "
           "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
           "xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"><w:body>" +
           body + "</w:body></w:document>\n";
}

std::string stylesXml() {
    return std::string(kXmlDeclaration) +
           "<w:styles "
           "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:docDefaults>"
           "<w:rPrDefault><w:rPr><w:rFonts w:ascii=\"" +
           std::string(kDocumentFont) + "\" w:hAnsi=\"" + kDocumentFont + "\" w:eastAsia=\"" + kDocumentFont +
           "\" w:cs=\"" + kDocumentFont + "\"/><w:sz" + attribute("w:val", kFontHalfPoints) + "/><w:szCs" +
           attribute("w:val", kFontHalfPoints) +
           "/><w:lang w:val=\"en-US\" w:eastAsia=\"ja-JP\"/></w:rPr></w:rPrDefault><w:pPrDefault><w:pPr>"
           "<w:spacing w:after=\"0\" w:line=\"240\" "
           "w:lineRule=\"auto\"/></w:pPr></w:pPrDefault></w:docDefaults>"
           "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name "
           "w:val=\"Normal\"/></w:style>"
           "</w:styles>\n";
}

std::string contentTypesXml() {
    return std::string(kXmlDeclaration) +
           "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
           "<Default Extension=\"rels\" "
           "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
           "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
           "<Default Extension=\"emf\" ContentType=\"image/x-emf\"/>"
           "<Override PartName=\"/word/document.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/"
           ">"
           "<Override PartName=\"/word/styles.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
           "</Types>\n";
}

std::string packageRelsXml() {
    return std::string(kXmlDeclaration) +
           "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
           "<Relationship Id=\"rId1\" "
           "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
           "Target=\"word/document.xml\"/></Relationships>\n";
}

std::string documentRelsXml(bool picture) {
    std::string xml = std::string(kXmlDeclaration) +
                      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                      "<Relationship Id=\"rIdStyles\" "
                      "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
                      "Target=\"styles.xml\"/>";
    if (picture)
        xml +=
            "<Relationship Id=\"rIdImage1\" "
            "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/image\" "
            "Target=\"media/image1.emf\"/>";
    return xml + "</Relationships>\n";
}

}  // namespace

std::string DocxBackend::docxBytes(int number) const {
    const DocumentData& doc = document(number);
    ZipParts parts = {{"[Content_Types].xml", contentTypesXml()},
                      {"_rels/.rels", packageRelsXml()},
                      {"word/document.xml", documentXml(*this, doc)},
                      {"word/styles.xml", stylesXml()},
                      {"word/_rels/document.xml.rels", documentRelsXml(doc.picture.has_value())}};
    if (doc.picture)
        parts.emplace_back("word/media/image1.emf", doc.picture->metafile);
    return zipArchive(parts);
}

}  // namespace kestrune::office
