#pragma once

// How fast the screens' delays and animations run: 1 in the app. A test sets a smaller factor
// to run holds, delayed page creation, slides and fades sooner, in the same order as ever.
class TimeScale {
public:
    static double factor();
    static void setFactor(double factor);
    // A delay or an animation of that many seconds, in milliseconds at the present factor; an
    // animation of no length would end before it shows, so nothing comes out below one.
    static int milliseconds(double seconds);
};
