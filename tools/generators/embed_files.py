"""Embeds checked-in files into the asset tool, so that the tool writes them
into a content folder without reading the source tree at run time.

Each input becomes one (content path, bytes) entry, the content path being
"<folder>/<file name>" with the folder given by --folder. With no inputs the
list is empty, so the tool builds before the files exist.
"""
from pathlib import Path

import generated


def embed_files(inputs, outputs, args):
    entries = []
    for path in sorted(inputs, key=lambda p: Path(p).name):
        data = Path(path).read_bytes()
        # Long literals in pieces: compilers limit one literal's length.
        pieces = [data[i:i + 4096] for i in range(0, len(data), 4096)] or [b""]
        literal = "\n        ".join(generated.cpp_string(piece) for piece in pieces)
        content_path = f"{args.folder}/{Path(path).name}".encode("utf-8")
        entries.append(f"        {{{generated.cpp_string(content_path)},\n"
                       f"         std::string({literal},\n"
                       f"                     {len(data)})}},\n")
    return [generated.banner(__file__, inputs) + f"""#include "{args.header}"

const std::vector<std::pair<std::string, std::string>>& {args.function}()
{{
    static const std::vector<std::pair<std::string, std::string>> files = {{
{"".join(entries)}    }};
    return files;
}}
"""]


def add_arguments(parser):
    parser.add_argument("--folder", required=True)
    parser.add_argument("--header", required=True)
    parser.add_argument("--function", required=True)


if __name__ == "__main__":
    generated.run(embed_files, "Checked-in files as C++ strings.", add_arguments)
