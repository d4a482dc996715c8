#include "output_format.h"

#include <CLI/CLI.hpp>

#include <map>

namespace marlek::cli {

CLI::Option *addFormatOption(CLI::App &command, OutputFormat &format) {
    const std::map<std::string, OutputFormat> names = {
        {"text", OutputFormat::text}, {"tsv", OutputFormat::tsv}, {"json", OutputFormat::json}};
    return command
        .add_option("--format", format,
                    "text (the default, for reading), tsv (a header line, then TAB-separated rows) "
                    "or json")
        ->transform(CLI::Validator(
            [names](std::string &input) -> std::string {
                const auto found = names.find(input);
                if (found == names.end())
                    return "must be text, tsv or json, not \"" + input + "\"";
                input = std::to_string(static_cast<int>(found->second));
                return {};
            },
            "text|tsv|json"))
        ->type_name("FORMAT");
}

} // namespace marlek::cli
