#include "HtmlCommand.h"

#include "CommandLine.h"
#include "GameLoad.h"
#include "RenderPng.h"
#include "ReplaySteps.h"
#include "fw/core/FileException.h"
#include "record/ClientDoc.h"
#include "view/StoneImages.h"

#include <QBuffer>
#include <QColorSpace>
#include <QCryptographicHash>
#include <QFile>
#include <QImage>

#include <cassert>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>

namespace {

struct HtmlOptions {
    std::string path;
    std::string output;
    std::optional<long long> nAt;
    std::optional<std::string> title;
};

std::optional<std::string> ParseHtmlOptions(const std::vector<std::string>& args, HtmlOptions& options)
{
    const auto complaint = ParseFileAndOptions(
        args, options.path, {"-o", "--at", "--title"},
        [&options](const std::string& name, const std::string& value) -> std::optional<std::string> {
            if (name == "-o") {
                options.output = value;
            } else if (name == "--title") {
                options.title = value;
            } else {
                return ParseAtOption(value, options.nAt);
            }
            return std::nullopt;
        });
    if (complaint)
        return complaint;
    if (options.path.empty())
        return "html needs a FILE";
    if (options.output.empty())
        return "html needs -o OUT.html";
    return std::nullopt;
}

std::string EscapeHtml(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// A JSON string that may stand inside a <script> element: no '<' at all.
std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || c == '<' || c == '>' || c == '&') {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string Base64(const QByteArray& bytes)
{
    return bytes.toBase64().toStdString();
}

// The PNG of a stone as the view draws it, the mask already applied. Qt
// writes no colour-space chunk for an image without a colour space, so the
// browser draws the pixels as they are.
QByteArray StonePng(const QImage& stone)
{
    QImage image = stone.convertToFormat(QImage::Format_ARGB32);
    image.setColorSpace(QColorSpace());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The board picture's own file: it holds no colour-space chunk, and is much
// smaller than Qt's encoding of it.
QByteArray BoardPng()
{
    QFile file(QStringLiteral(":/images/board.png"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string InfoLine(const GameStory& story)
{
    auto player = [&story](const char* name, const char* rank) {
        std::string text = story.Info(name);
        const std::string strRank = story.Info(rank);
        if (!strRank.empty())
            text += (text.empty() ? "" : " ") + strRank;
        return text;
    };
    std::string line;
    auto add = [&line](const std::string& label, const std::string& value) {
        if (value.empty())
            return;
        if (!line.empty())
            line += "　";
        line += label + "：" + value;
    };
    add("黑方", player("PB", "BR"));
    add("白方", player("PW", "WR"));
    add("日期", story.Info("DT"));
    add("结果", story.Info("RE"));
    return EscapeHtml(line);
}

std::string DefaultTitle(const std::string& path, const GameStory& story)
{
    if (const std::string name = story.Info("GN"); !name.empty())
        return name;
    const std::string black = story.Info("PB");
    const std::string white = story.Info("PW");
    if (!black.empty() && !white.empty())
        return black + " — " + white;
    return std::filesystem::path(path).filename().string();
}

std::string GameData(const ReplaySteps& steps, int nSize, int nAt, const GameStory& story)
{
    const StoneImages& images = StoneImages::Get();
    std::string data = "{\"n\":" + std::to_string(nSize) + ",\"at\":" + std::to_string(nAt) + ",\"names\":[";
    for (std::size_t i = 0; i < steps.colourNames.size(); ++i)
        data += (i ? "," : "") + JsonString(steps.colourNames[i]);
    data += "],\"comments\":[";
    bool bFirst = true;
    for (const auto& [nEntry, text] : story.comments) {
        data += (bFirst ? "[" : ",[") + std::to_string(nEntry + 1) + "," + JsonString(text) + "]";
        bFirst = false;
    }
    data += "],\"board\":\"" + Base64(BoardPng()) + "\",\"stones\":[\"" + Base64(StonePng(images.black)) + "\",\"" +
            Base64(StonePng(images.white)) + "\",\"" + Base64(StonePng(images.flower)) + "\"],\"steps\":\"" +
            Base64(QByteArray::fromRawData(steps.bytes.data(), static_cast<qsizetype>(steps.bytes.size()))) +
            "\"}";
    return data;
}

// The hash the content security policy allows the page's one element of a
// kind by: its text between open and close, which the template holds once.
std::string Sha256Source(const QByteArray& page, const char* open, const char* close)
{
    assert(page.indexOf(open) >= 0 && page.indexOf(close, page.indexOf(open)) >= 0);
    const qsizetype start = page.indexOf(open) + static_cast<qsizetype>(std::strlen(open));
    const qsizetype end = page.indexOf(close, start);
    return "sha256-" + Base64(QCryptographicHash::hash(page.mid(start, end - start), QCryptographicHash::Sha256));
}

// The template with each {{NAME}} replaced by its value, in one pass, so
// that a value holding such a name stays as it is.
std::string FillTemplate(const std::string& pageTemplate, const std::map<std::string, std::string>& values)
{
    std::string page;
    page.reserve(pageTemplate.size() + values.at("DATA").size());
    std::size_t from = 0;
    for (std::size_t at = pageTemplate.find("{{"); at != std::string::npos; at = pageTemplate.find("{{", from)) {
        const std::size_t end = pageTemplate.find("}}", at);
        const auto value = values.find(pageTemplate.substr(at + 2, end - at - 2));
        page.append(pageTemplate, from, at - from);
        page += value->second;
        from = end + 2;
    }
    page.append(pageTemplate, from);
    return page;
}

WriteFailure WritePage(const std::string& page, const std::string& strPath)
{
    try {
        WriteWhole(strPath, page);
    } catch (const CFileException& e) {
        return e.GetOsErrorText();
    }
    return std::nullopt;
}

}  // namespace

int Html(const std::vector<std::string>& args)
{
    HtmlOptions options;
    if (const auto complaint = ParseHtmlOptions(args, options))
        return Usage(*complaint);
    CClientDoc doc{CClientDoc::OneReplay{}};
    GameStory story;
    if (!LoadGame(doc, options.path, PrintToStderr, &story))
        return kExitFailed;
    const int nSize = doc.GetMoves().GetSize();
    const std::optional<int> nAt = AtPosition(options.nAt, nSize);
    if (!nAt)
        return kExitUsage;
    if (const auto refusal = RefuseOutput(options.output))
        return *refusal;

    QFile templateFile(QStringLiteral(":/html/replay.html"));
    if (!templateFile.open(QIODevice::ReadOnly)) {
        std::cerr << "wxl: the page template is missing from this build\n";
        return kExitFailed;
    }
    const QByteArray pageTemplate = templateFile.readAll();
    const ReplaySteps steps = EncodeReplaySteps(doc);
    const std::string page = FillTemplate(
        pageTemplate.toStdString(),
        {{"STYLE_HASH", Sha256Source(pageTemplate, "<style>", "</style>")},
         {"SCRIPT_HASH", Sha256Source(pageTemplate, "<script>", "</script>")},
         {"TITLE", EscapeHtml(options.title.value_or(DefaultTitle(options.path, story)))},
         {"INFO", InfoLine(story)},
         {"DATA", GameData(steps, nSize, *nAt, story)}});
    return ReportWrite(WritePage(page, options.output), options.output);
}
