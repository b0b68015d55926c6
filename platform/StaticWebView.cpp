#include "platform/StaticWebView.h"

#include "platform/RequestThreads.h"
#include "platform/SyncHttp.h"
#include "platform/TextEncoding.h"

#include <QPointer>
#include <QRegularExpression>
#include <QThreadPool>
#include <QTimer>

#include <gumbo.h>

#include <vector>

namespace platform {
namespace {

bool classListHolds(const GumboElement &element, const QByteArray &className)
{
    const GumboAttribute *attribute = gumbo_get_attribute(&element.attributes, "class");
    if (!attribute)
        return false;
    const QByteArray value(attribute->value);
    for (const QByteArray &token : value.simplified().split(' ')) {
        if (token == className)
            return true;
    }
    return false;
}

// Where an element's content ends in the source: before its end tag, or, when the parser
// closed it implicitly, after its last child.
size_t contentEnd(const GumboElement &element, size_t contentStart)
{
    if (element.original_end_tag.length > 0)
        return element.end_pos.offset;
    size_t end = contentStart;
    for (unsigned i = 0; i < element.children.length; ++i) {
        const auto *child = static_cast<const GumboNode *>(element.children.data[i]);
        if (child->type == GUMBO_NODE_ELEMENT || child->type == GUMBO_NODE_TEMPLATE) {
            const GumboElement &e = child->v.element;
            end = std::max(end, e.end_pos.offset + e.original_end_tag.length);
        } else if (child->type != GUMBO_NODE_DOCUMENT) {
            const GumboText &t = child->v.text;
            end = std::max(end, t.start_pos.offset + t.original_text.length);
        }
    }
    return end;
}

// The page's script, when it is an element lookup by class: the class name.
std::optional<QString> classLookupIn(const QString &script)
{
    static const QRegularExpression lookup(QStringLiteral(
        R"(^\s*document\.getElementsByClassName\(\s*(["'])([^"']*)\1\s*\)\s*\[\s*0\s*\]\s*\.innerHTML\s*;?\s*$)"));
    const QRegularExpressionMatch match = lookup.match(script);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(2);
}

} // namespace

StaticWebView::StaticWebView(QObject *parent) : WebView(parent) {}

StaticWebView::~StaticWebView() = default;

void StaticWebView::load(const QUrl &url)
{
    const quint64 generation = ++m_generation;
    m_page.clear();
    // The GET runs on a pool thread so the caller's event loop stays free; its answer comes
    // back through this object's queue, and a newer load makes it stale.
    QPointer<StaticWebView> self(this);
    requestThreads().start([self, url, generation] {
        HttpRequest request{
            url, std::chrono::milliseconds(loadTimeoutMs()), {{"User-Agent", browserUserAgent()}}};
        const QByteArray page = fetchSynchronously(request);
        if (!self)
            return;
        QMetaObject::invokeMethod(
            self.data(),
            [self, generation, page] {
                if (self)
                    self->pageArrived(generation, page);
            },
            Qt::QueuedConnection);
    });
}

void StaticWebView::pageArrived(quint64 generation, const QByteArray &page)
{
    if (generation != m_generation)
        return;
    m_page = page;
    if (page.isEmpty())
        Q_EMIT didFailNavigation();
    else
        Q_EMIT didFinishNavigation();
}

void StaticWebView::evaluateJavaScript(const QString &script,
                                       std::function<void(std::optional<QString>)> completion)
{
    std::optional<QString> result;
    if (const std::optional<QString> className = classLookupIn(script))
        result = innerHtmlOfFirstElementWithClass(m_page, *className);
    QTimer::singleShot(0, this,
                       [completion = std::move(completion), result] { completion(result); });
}

std::optional<QString> StaticWebView::innerHtmlOfFirstElementWithClass(const QByteArray &page,
                                                                       const QString &className)
{
    if (page.isEmpty() || className.isEmpty())
        return std::nullopt;
    // The parser reads UTF-8; a page in another encoding is taken as Latin-1.
    const QByteArray source = decodeUtf8(page) ? page : decodeLatin1(page).toUtf8();
    const QByteArray wanted = className.toUtf8();

    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = 0;
    GumboOutput *output =
        gumbo_parse_with_options(&options, source.constData(), size_t(source.size()));
    std::optional<QString> result;

    // Document order, without recursion: pages may nest deeply.
    std::vector<const GumboNode *> pending{output->root};
    while (!pending.empty()) {
        const GumboNode *node = pending.back();
        pending.pop_back();
        if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE)
            continue;
        const GumboElement &element = node->v.element;
        if (element.original_tag.length > 0 && classListHolds(element, wanted)) {
            const size_t start = element.start_pos.offset + element.original_tag.length;
            const size_t end = std::max(start, contentEnd(element, start));
            result = QString::fromUtf8(source.constData() + start, qsizetype(end - start));
            break;
        }
        for (unsigned i = element.children.length; i > 0; --i)
            pending.push_back(static_cast<const GumboNode *>(element.children.data[i - 1]));
    }
    gumbo_destroy_output(&options, output);
    return result;
}

} // namespace platform
