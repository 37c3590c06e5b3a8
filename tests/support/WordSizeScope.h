#pragma once

#include "Calculator/Operators.h"

// Sets the registry's word size for one test and puts the previous one back.
class WordSizeScope {
public:
    explicit WordSizeScope(int wordSize) : previous_(Operators::sharedInstance().wordSize()) {
        Operators::sharedInstance().setWordSize(wordSize);
    }
    ~WordSizeScope() { Operators::sharedInstance().setWordSize(previous_); }
    WordSizeScope(const WordSizeScope&) = delete;
    WordSizeScope& operator=(const WordSizeScope&) = delete;

private:
    int previous_;
};
