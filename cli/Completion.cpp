#include "Completion.h"

#include "core/Text.h"

namespace rw::cli {

namespace {

// The fixed choices of an option (its set validator describes them as
// "{a,b,c}"); empty when it takes any value.
std::vector<std::string> choicesOf(CLI::Option& opt) {
    for (int i = 0;; ++i) {
        CLI::Validator* v = nullptr;
        try {
            v = opt.get_validator(i);
        } catch (const CLI::OptionNotFound&) {
            return {};
        }
        const std::string d = v->get_description();
        if (d.size() > 2 && d.front() == '{' && d.back() == '}') return split(d.substr(1, d.size() - 2), ',');
    }
}

// Words for the script: one per line inside $'...', so a choice may hold spaces.
std::string wordList(const std::vector<std::string>& words) {
    std::string out = "$'";
    for (const auto& w : words) {
        if (out.size() > 2) out += "\\n";
        for (char ch : w) {
            if (ch == '\'' || ch == '\\') out += '\\';
            out += ch;
        }
    }
    return out + "'";
}

std::vector<std::string> namesOf(const CLI::Option& opt) {
    std::vector<std::string> names;
    for (const auto& s : opt.get_snames()) names.push_back("-" + s);
    for (const auto& l : opt.get_lnames()) names.push_back("--" + l);
    return names;
}

std::string join(const std::vector<std::string>& names, const char* between) {
    std::string out;
    for (const auto& n : names) out += (out.empty() ? "" : between) + n;
    return out;
}

// One arm of the script's case over the subcommand.
std::string commandArm(CLI::App& cmd) {
    std::vector<std::string> flags, anyValue;
    std::string values, positional;
    for (CLI::Option* opt : cmd.get_options()) {
        if (opt->get_group().empty()) continue;
        const std::vector<std::string> choices = choicesOf(*opt);
        if (opt->get_positional()) {
            if (!choices.empty() && positional.empty()) positional = wordList(choices);
            continue;
        }
        const std::vector<std::string> names = namesOf(*opt);
        flags.insert(flags.end(), names.begin(), names.end());
        if (opt->get_expected_max() == 0) continue;  // a flag takes no value
        if (choices.empty()) anyValue.insert(anyValue.end(), names.begin(), names.end());
        else values += "            " + join(names, "|") + ") _reelwright_choose " + wordList(choices) +
                       " \"$cur\"; return ;;\n";
    }
    // Any other value completes as a file name (complete -o default).
    if (!anyValue.empty()) values += "            " + join(anyValue, "|") + ") return ;;\n";
    std::string arm = "    " + cmd.get_name() + ")\n";
    if (!values.empty()) arm += "        case $prev in\n" + values + "        esac\n";
    arm += "        if [[ $cur == -* ]]; then _reelwright_choose " + wordList(flags) + " \"$cur\"; return; fi\n";
    if (!positional.empty()) arm += "        _reelwright_first " + positional + " \"$cur\" $i\n";
    return arm + "        ;;\n";
}

}  // namespace

std::string bashCompletion(CLI::App& app) {
    const std::string name = app.get_name();
    std::vector<std::string> commands, topFlags;
    std::string arms;
    for (CLI::App* cmd : app.get_subcommands({})) {
        commands.push_back(cmd->get_name());
        arms += commandArm(*cmd);
    }
    for (CLI::Option* opt : app.get_options()) {
        if (opt->get_group().empty()) continue;
        for (const auto& n : namesOf(*opt)) topFlags.push_back(n);
    }
    return "# bash completion for " + name + ", generated from its command definitions\n"
           "\n"
           "# Offers the choices (one per line) that begin with the word typed, quoted\n"
           "# so that a choice with spaces stays one word.\n"
           "_reelwright_choose() {\n"
           "    local IFS=$'\\n' typed=${2//\\\\ / } word\n"
           "    typed=${typed#[\\\"\\']}\n"
           "    COMPREPLY=()\n"
           "    for word in $(compgen -W \"$1\" -- \"$typed\"); do COMPREPLY+=(\"$(printf '%q' \"$word\")\"); done\n"
           "}\n"
           "\n"
           "# The choices of the first argument, until one of them has been given.\n"
           "_reelwright_first() {\n"
           "    local IFS=$'\\n' j w\n"
           "    for ((j = $3 + 1; j < COMP_CWORD; j++)); do\n"
           "        for w in $1; do [[ ${COMP_WORDS[j]} == \"$w\" ]] && return; done\n"
           "    done\n"
           "    _reelwright_choose \"$1\" \"$2\"\n"
           "}\n"
           "\n"
           "_reelwright() {\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} cmd= i\n"
           "    COMPREPLY=()\n"
           "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
           "        case ${COMP_WORDS[i]} in " +
           join(commands, "|") +
           ") cmd=${COMP_WORDS[i]}; break ;; esac\n"
           "    done\n"
           "    case $cmd in\n"
           "    \"\")\n"
           "        if [[ $cur == -* ]]; then _reelwright_choose " +
           wordList(topFlags) + " \"$cur\"; else _reelwright_choose " + wordList(commands) +
           " \"$cur\"; fi\n"
           "        ;;\n" +
           arms +
           "    esac\n"
           "}\n"
           "\n"
           "complete -o default -F _reelwright " +
           name + "\n";
}

}  // namespace rw::cli
