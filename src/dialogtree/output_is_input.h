#pragma once
// A command that would write over one of its own inputs: an output file named by a link to the
// script's message file, an import written into the translation it reads. Two names are the
// same file when they reach the same device and inode, through any links.

#include "analysis/errors.h"

#include <string>
#include <vector>

namespace dialoscope {

// "OUTPUT is the same file as INPUT, which this command reads; name another output file".
class EOutputIsInputError : public EDialoscopeError {
public:
    EOutputIsInputError(const std::string& output, const std::string& input)
        : EDialoscopeError(output + " is the same file as " + input +
                           ", which this command reads; name another output file"),
          Output(output), Input(input) {}
    std::string Output;
    std::string Input;
};

// Whether both names lead to one existing file.
bool IsSameFile(const std::string& first, const std::string& second);

// Throws EOutputIsInputError when output is one of inputs. An output that does not exist yet is
// none of them.
void RefuseOutputAmongInputs(const std::string& output, const std::vector<std::string>& inputs);

} // namespace dialoscope
