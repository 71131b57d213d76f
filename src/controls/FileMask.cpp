#include "FileMask.h"

#include <QList>

#include <optional>
#include <vector>

namespace markwell {

namespace {

struct CharRange
{
    char16_t first;
    char16_t last;
};

// One step of a compiled mask. Every kind but Star matches exactly one character.
struct MaskToken
{
    enum Kind { Literal, AnyOne, Star, Set };

    Kind kind = Literal;
    char16_t literal = 0;
    bool negated = false;
    std::vector<CharRange> ranges;
};

char16_t toLowerAscii(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c;
}

char16_t toUpperAscii(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c;
}

bool inRanges(const std::vector<CharRange> &ranges, char16_t c)
{
    for (const CharRange &range : ranges) {
        if (c >= range.first && c <= range.last)
            return true;
    }
    return false;
}

bool tokenMatches(const MaskToken &token, char16_t c)
{
    switch (token.kind) {
    case MaskToken::AnyOne:
        return true;
    case MaskToken::Literal:
        return toLowerAscii(token.literal) == toLowerAscii(c);
    case MaskToken::Set: {
        const bool inSet = inRanges(token.ranges, c) || inRanges(token.ranges, toLowerAscii(c)) ||
                           inRanges(token.ranges, toUpperAscii(c));
        return inSet != token.negated;
    }
    case MaskToken::Star:
        break;
    }
    return false;
}

// Reads a set whose "[" stands at position, returns the position after its "]", or nothing
// when the set is malformed.
std::optional<qsizetype> parseSet(QStringView mask, qsizetype position, MaskToken &token)
{
    token.kind = MaskToken::Set;
    qsizetype i = position + 1;
    if (i < mask.size() && mask[i] == u'!') {
        token.negated = true;
        ++i;
    }
    while (i < mask.size() && mask[i] != u']') {
        const char16_t first = mask[i].unicode();
        if (first == u'-')
            return std::nullopt;
        if (i + 1 < mask.size() && mask[i + 1] == u'-') {
            if (i + 2 >= mask.size() || mask[i + 2] == u']')
                return std::nullopt;
            token.ranges.push_back({first, mask[i + 2].unicode()});
            i += 3;
        } else {
            token.ranges.push_back({first, first});
            ++i;
        }
    }
    if (i >= mask.size() || token.ranges.empty())
        return std::nullopt;
    return i + 1;
}

std::optional<std::vector<MaskToken>> compileMask(QStringView mask)
{
    std::vector<MaskToken> tokens;
    qsizetype i = 0;
    while (i < mask.size()) {
        const QChar c = mask[i];
        MaskToken token;
        if (c == u'*') {
            token.kind = MaskToken::Star;
            ++i;
            if (!tokens.empty() && tokens.back().kind == MaskToken::Star)
                continue;
        } else if (c == u'?') {
            ++i;
            if (!tokens.empty() && tokens.back().kind == MaskToken::Star)
                continue;
            token.kind = MaskToken::AnyOne;
        } else if (c == u'[') {
            const std::optional<qsizetype> next = parseSet(mask, i, token);
            if (!next)
                return std::nullopt;
            i = *next;
        } else {
            token.literal = c.unicode();
            ++i;
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

// Every token but Star takes one character, so a star only ever needs to be retried one
// character further on: the last star seen is the only one worth going back to.
bool matchTokens(const std::vector<MaskToken> &tokens, QStringView text)
{
    std::size_t t = 0;
    qsizetype s = 0;
    std::optional<std::size_t> starToken;
    qsizetype starText = 0;
    while (s < text.size()) {
        if (t < tokens.size() && tokens[t].kind == MaskToken::Star) {
            starToken = t++;
            starText = s;
        } else if (t < tokens.size() && tokenMatches(tokens[t], text[s].unicode())) {
            ++t;
            ++s;
        } else if (starToken) {
            t = *starToken + 1;
            s = ++starText;
        } else {
            return false;
        }
    }
    while (t < tokens.size() && tokens[t].kind == MaskToken::Star)
        ++t;
    return t == tokens.size();
}

} // namespace

bool matchesFileMask(QStringView text, QStringView mask)
{
    const std::optional<std::vector<MaskToken>> tokens = compileMask(mask);
    return tokens && matchTokens(*tokens, text);
}

bool matchesFileFilter(QStringView text, QStringView filter)
{
    if (filter.isEmpty())
        return true;
    bool anyPiece = false;
    for (QStringView piece : filter.split(u';', Qt::SkipEmptyParts)) {
        anyPiece = true;
        if (matchesFileMask(text, piece))
            return true;
    }
    return !anyPiece && matchesFileMask(text, filter);
}

} // namespace markwell
