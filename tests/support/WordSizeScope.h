#pragma once

#include "Calculator/Operators.h"

// Sets the registry's word size and angle unit for one test and puts the previous ones back.
class WordSizeScope {
public:
    explicit WordSizeScope(int wordSize, int angleType = 0)
        : wordSize_(Operators::sharedInstance().wordSize()), angleType_(Operators::sharedInstance().angleType()) {
        Operators::sharedInstance().setWordSize(wordSize);
        Operators::sharedInstance().setAngleType(angleType);
    }
    ~WordSizeScope() {
        Operators::sharedInstance().setWordSize(wordSize_);
        Operators::sharedInstance().setAngleType(angleType_);
    }
    WordSizeScope(const WordSizeScope&) = delete;
    WordSizeScope& operator=(const WordSizeScope&) = delete;

private:
    int wordSize_;
    int angleType_;
};
