#pragma once
// The words of a page as the book window splits them, the text spoken for the page's sentence
// sound, and the timing marks (when each word ends) taken from the speech engine's word events.
#include <QString>
#include <QStringList>
#include <vector>

#include "platform/Speech.h"

namespace mkinstall {

// One word of a page: a run of non-blank characters of a block, with its place in the
// spoken text.
struct PageWord {
    QString text;  // as stored, "@" for a double quote
    int start = 0;  // index into the spoken text
    int end = 0;    // one past the word
};

struct PageSpeech {
    QString spoken;  // the blocks joined by one blank, "@" spoken as a double quote
    std::vector<PageWord> words;
};

// The book window takes every blank-separated run of a block as a word, punctuation included,
// so the marks count must follow the same split.
PageSpeech pageSpeech(const QStringList& blockTexts);

// The letters and digits of a word: what the word's sound says and what FileKey keeps.
// Inner apostrophes stay ("can't"); leading and trailing punctuation goes.
QString spokenWord(const QString& word);

// The end of the voiced part of a sound: the last sample above a low threshold plus a short
// tail, never past the end.
double voicedEnd(const std::vector<int16_t>& samples, int sampleRate);

// Marks for the words. Each event belongs to the word that holds its text position (or the next
// word when it falls between words); a word with several events keeps the first. Words without
// an event were run together with the evented word before them (or, at the start, the one after
// them); such a group shares the time from its event to the next group's event in proportion to
// its words' letters. The last group ends at soundEnd. The result rises strictly, is rounded
// to milliseconds and never passes soundEnd.
std::vector<double> alignMarks(const std::vector<PageWord>& words,
                               const std::vector<SpeechWordEvent>& events, double soundEnd);

}  // namespace mkinstall
