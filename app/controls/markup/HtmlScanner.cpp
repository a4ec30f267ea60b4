// Cutting a markup text into runs, tags and attributes.
#include "app/controls/markup/HtmlLexicon.h"
#include "app/controls/markup/QoHtmlDrawer.h"

using html::IsNameStart;

void CQoHtmlDrawer::GetNextText(Cursor& cursor, CString& run, CString& tag) {
    const CString& text = cursor.text;
    const int length = text.GetLength();
    run.Empty();
    tag.Empty();
    while (cursor.pos < length) {
        const wchar_t c = text[cursor.pos];
        if (c != L'<' || cursor.pos + 1 == length) {
            run += c;
            ++cursor.pos;
        } else if (text[cursor.pos + 1] == L'<') {
            run += L'<';
            cursor.pos += 2;
        } else if (cursor.pos > cursor.lastClose) {
            ++cursor.pos;  // a "<" that no ">" follows is dropped
        } else {
            const int close = text.Find(L'>', cursor.pos + 1);
            tag = text.Mid(cursor.pos + 1, close - cursor.pos - 1);
            cursor.pos = close + 1;
            return;
        }
    }
}

void CQoHtmlDrawer::SplitTag(const CString& tag, CString& name, CString& attributes) {
    int end = tag.FindOneOf(L" =");
    if (end < 0)
        end = tag.GetLength();
    name = tag.Left(end);
    attributes = tag.Mid(end);
    attributes.TrimLeft(L" ");
}

BOOL CQoHtmlDrawer::GetNextAttribute(const CString& attributes, int& pos, CString& name,
                                     CString& value) {
    const int length = attributes.GetLength();
    name.Empty();
    value.Empty();
    while (pos < length && !IsNameStart(attributes[pos]))
        ++pos;
    if (pos >= length)
        return FALSE;
    const int start = pos;
    while (pos < length && attributes[pos] != L' ' && attributes[pos] != L'=')
        ++pos;
    name = attributes.Mid(start, pos - start);
    int next = pos;
    while (next < length && attributes[next] == L' ')
        ++next;
    if (next >= length || attributes[next] != L'=')
        return TRUE;
    while (next < length && (attributes[next] == L' ' || attributes[next] == L'='))
        ++next;
    if (next < length && (attributes[next] == L'"' || attributes[next] == L'\'')) {
        const wchar_t quote = attributes[next];
        int close = attributes.Find(quote, next + 1);
        if (close < 0)
            close = length;
        value = attributes.Mid(next + 1, close - next - 1);
        pos = close < length ? close + 1 : length;
        return TRUE;
    }
    int end = attributes.Find(L' ', next);
    if (end < 0)
        end = length;
    value = attributes.Mid(next, end - next);
    pos = end;
    return TRUE;
}

CString CQoHtmlDrawer::PrepareText(const CString& text) const {
    CString prepared = text;
    for (const auto& [entity, replacement] : m_entities)
        prepared.Replace(entity, replacement);
    prepared.Remove(L'\r');
    prepared.Replace(L"\n", L"<br>");
    prepared.Replace(L"\t", L"<t>");
    return prepared;
}
