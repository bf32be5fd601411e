#pragma once
// Walks a command line's words in order, for the tools' option loops: each word is an option,
// possibly with a value in the word after it, or an operand.

#include <cstddef>
#include <string>
#include <vector>

namespace velunor::cli {

class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string>& args) : args_(args) {}

    // Moves to the next word; false once all are read.
    bool next() {
        if (next_ >= args_.size()) return false;
        current_ = &args_[next_++];
        return true;
    }
    const std::string& current() const { return *current_; }
    // "-x" or "--name"; a lone "-" names standard input or output and is an operand.
    bool isOption() const { return current_->size() > 1 && (*current_)[0] == '-'; }
    // Takes the word after the current option as its value; false when the line ends first.
    bool value(std::string& out) {
        if (next_ >= args_.size()) return false;
        out = args_[next_++];
        return true;
    }

private:
    const std::vector<std::string>& args_;
    std::size_t next_ = 0;
    const std::string* current_ = nullptr;
};

}  // namespace velunor::cli
