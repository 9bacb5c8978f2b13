// What the module offers JavaScript of the command-line program:
//   createTessera().version        "TESSERA 1.0.0"
//   runCommand(args, files)        { status, stdout, stderr, files }
// `args` are the words after "tessera-design"; `files` maps plain file names
// to their bytes (Uint8Array) or text (string, written as UTF-8); the
// answer's `files` maps every file the command wrote to its bytes.

#include "fresh_folder_run.h"
#include "program_version.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

namespace {

using emscripten::val;
using tessera::web::NamedBytes;

[[noreturn]] void throwTypeError(const std::string& message) {
    val::global("TypeError").new_(val(message)).throw_();
}

std::vector<std::string> argumentWords(const val& args) {
    if (!val::global("Array").call<bool>("isArray", args)) throwTypeError("runCommand: the arguments must be an array of strings");
    std::vector<std::string> words;
    const auto count = args["length"].as<unsigned>();
    for (unsigned i = 0; i < count; ++i) {
        const val word = args[i];
        if (!word.isString()) throwTypeError("runCommand: every argument must be a string");
        words.push_back(word.as<std::string>());
    }
    return words;
}

// The bytes of a Uint8Array, copied in one piece into the module's memory.
std::string bytesOf(const val& array) {
    std::string bytes(array["length"].as<std::size_t>(), '\0');
    val(emscripten::typed_memory_view(bytes.size(), reinterpret_cast<unsigned char*>(bytes.data())))
        .call<void>("set", array);
    return bytes;
}

std::vector<NamedBytes> inputFiles(const val& files) {
    std::vector<NamedBytes> inputs;
    if (files.isUndefined() || files.isNull()) return inputs;
    if (files.typeOf().as<std::string>() != "object")
        throwTypeError("runCommand: the files must be an object of names and contents");
    const val names = val::global("Object").call<val>("keys", files);
    const auto count = names["length"].as<unsigned>();
    for (unsigned i = 0; i < count; ++i) {
        const std::string name = names[i].as<std::string>();
        if (!tessera::web::isPlainFileName(name)) throwTypeError("runCommand: \"" + name + "\" is not a plain file name");
        const val content = files[name];
        if (content.isString())
            inputs.push_back({name, content.as<std::string>()});
        else if (content.instanceof(val::global("Uint8Array")))
            inputs.push_back({name, bytesOf(content)});
        else
            throwTypeError("runCommand: the content of \"" + name + "\" must be a Uint8Array or a string");
    }
    return inputs;
}

val runCommand(val args, val files) {
    const tessera::web::CommandRun run = tessera::web::runInFreshFolder(argumentWords(args), inputFiles(files));
    val written = val::object();
    for (const NamedBytes& file : run.files) {
        const auto* data = reinterpret_cast<const unsigned char*>(file.bytes.data());
        written.set(file.name, val(emscripten::typed_memory_view(file.bytes.size(), data)).call<val>("slice"));
    }
    val answer = val::object();
    answer.set("status", run.status);
    answer.set("stdout", run.out);
    answer.set("stderr", run.err);
    answer.set("files", written);
    return answer;
}

val runCommandWithoutFiles(val args) { return runCommand(std::move(args), val::undefined()); }

} // namespace

EMSCRIPTEN_BINDINGS(tessera_core) {
    emscripten::constant("version", std::string(tessera::kVersionLine));
    emscripten::function("runCommand", &runCommand);
    emscripten::function("runCommand", &runCommandWithoutFiles); // no input files
}
