#pragma once

#include "TagFields.h"

#include <array>
#include <string>

class ID3_Tag;

// The five texts a tag shows in the form, each with whether it stands for its frame losslessly.
// Read by walking the frames in order: the last frame of a kind wins, comments whatever their
// description and language.
class ShownFields {
public:
    enum Field { Title, Artist, Album, Year, Comment, kFieldCount };

    static ShownFields Read(const ID3_Tag& tag);

    TagFields Texts() const;
    const std::string& Text(Field field) const { return m_texts[field]; }
    bool IsLossless(Field field) const { return m_lossless[field]; }
    // Writing TEXT into FIELD would put less into the file than it holds: the frame could not be
    // shown whole and the text is still what was shown.
    bool WouldLoseData(Field field, const std::string& text) const {
        return !m_lossless[field] && text == m_texts[field];
    }
    void Set(Field field, const std::string& text, bool lossless);

    static std::string TagFields::*Member(Field field);

private:
    std::array<std::string, kFieldCount> m_texts;
    std::array<bool, kFieldCount> m_lossless{true, true, true, true, true};
};
