// Draws the colour picker's strip marker, Selector.png: a 16 x 48 point capsule outline, white
// with a dark rim inside and out, hollow so that the strip's colour shows through. Run by the
// build:   make_selector_image OUTPUT.png [SCALE]
#include "platform/quartz/image_context.hpp"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: make_selector_image OUTPUT.png [SCALE]\n";
        return 2;
    }
    try {
        const double scale = argc == 3 ? std::stod(argv[2]) : 1.0;
        quartz::ImageContext bitmap({16, 48}, false, scale);
        quartz::DrawingContext& context = bitmap.context();
        const quartz::Color rim{0.1, 0.1, 0.1, 0.85};
        context.drawBorder(CGRectMake(1, 0.5, 14, 47), 1.0, rim, 5);
        context.drawBorder(CGRectMake(2, 1.5, 12, 45), 2.5, quartz::Color::white(), 4);
        context.drawBorder(CGRectMake(4.5, 4, 7, 40), 0.75, rim, 2);
        bitmap.image().writePNG(argv[1]);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "make_selector_image: " << error.what() << '\n';
        return 1;
    }
}
