# Turns the --help of one CLI11 subcommand (standard input) into roff for a
# help2man include file: the usage line becomes a subsection heading, each
# row of an option or operand a tagged paragraph, other lines paragraphs.
# Headings such as "Options:" are left out, as the rows speak for
# themselves. The first file is the program's top-level help: text lines it
# already shows (a footer repeated under every subcommand) are left out too.

# Text as roff reads it literally: backslashes, hyphens and double quotes
# escaped, and a leading dot or apostrophe kept from starting a request.
function roff(text) {
    gsub(/\\/, "\\\\e", text)
    gsub(/-/, "\\\\-", text)
    gsub(/"/, "\\\\(dq", text)
    if (text ~ /^[.']/) {
        text = "\\&" text
    }
    return text
}

# A row's tag: the option or operand in bold, its value's kind after it.
function tag(text,    blank) {
    blank = index(text, " ")
    if (blank == 0) {
        return "\\fB" roff(text) "\\fR"
    }
    return "\\fB" roff(substr(text, 1, blank - 1)) "\\fR " roff(substr(text, blank + 1))
}

FNR == NR {
    shown[$0] = 1
    next
}

/^$/ || /^[A-Z][A-Za-z ]*:$/ {
    next
}

/^Usage: / {
    sub(/^Usage: /, "")
    print ".SS \"" roff($0) "\""
    heading = 1
    next
}

# A row: two blanks, the option or operand, then its description after a
# gap of two or more blanks, or on the next lines, indented further.
/^  [^ ]/ {
    heading = 0
    row = substr($0, 3)
    gap = index(row, "  ")
    print ".TP"
    if (gap == 0) {
        print tag(row)
        next
    }
    print tag(substr(row, 1, gap - 1))
    description = substr(row, gap)
    sub(/^ +/, "", description)
    print roff(description)
    next
}

/^   / {
    sub(/^ +/, "")
    print roff($0)
    next
}

!($0 in shown) {
    if (!heading) {
        print ".PP"
    }
    heading = 0
    print roff($0)
}
