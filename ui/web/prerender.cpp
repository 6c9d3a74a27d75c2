// Run when the page is built: writes the window's start-up elements (`prerender html`) or their
// style rules (`prerender css`) to the standard output, from the same controls the module
// attaches to, after Form_Load as the module runs it.
#include "markup.h"

#include "frmmain.h"

#include <cstdio>
#include <string_view>

int main(int argc, char **argv)
{
    const std::string_view what = argc == 2 ? argv[1] : "";
    if (what != "html" && what != "css") {
        std::fprintf(stderr, "usage: prerender html|css\n");
        return 2;
    }
    frmMain form;
    bool failed = false;
    form.reportFatal = [&failed](const std::string &message) {
        std::fprintf(stderr, "prerender: %s\n", message.c_str());
        failed = true;
    };
    form.load();
    if (failed) {
        return 1;
    }
    const std::string text = what == "html" ? windowMarkup(form) : windowStyles(form);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    return 0;
}
