#include "TagObjectFrames.h"

#include <new>

TagObjectFrames::~TagObjectFrames() {
    // The concrete iterator only holds two list iterators and needs no destructor; what it
    // needs is its memory back at whatever size id3lib allocated it.
    ::operator delete(static_cast<void*>(m_frames));
}
