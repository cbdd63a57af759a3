// What Play from Here reads in `dialoscope-cli play` output. No vscode import: the tests load
// it in Node.

// A position's choices are its lines "  N. TEXT -> TARGET"; the walk's last position is the
// paragraph after the last blank line.
export function LastChoices(transcript: string): { number: string; caption: string }[] {
    const last = transcript.trimEnd().split(/\r?\n\r?\n/).pop() ?? '';
    return [...last.matchAll(/^  (\d+)\. (.*)$/gm)].map((m) => ({ number: m[1], caption: m[2] }));
}
