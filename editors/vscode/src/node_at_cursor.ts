// The dialog node the cursor stands in, as the server's document symbols name it: a node is a
// Function symbol, the header sections are Namespace symbols.
import * as vscode from 'vscode';

export async function NodeAtCursor(editor: vscode.TextEditor): Promise<string | undefined> {
    const symbols = await vscode.commands.executeCommand<vscode.DocumentSymbol[] | undefined>(
        'vscode.executeDocumentSymbolProvider', editor.document.uri);
    const cursor = editor.selection.active;
    return FindNode(symbols ?? [], cursor)?.name;
}

function FindNode(symbols: vscode.DocumentSymbol[], cursor: vscode.Position): vscode.DocumentSymbol | undefined {
    for (const symbol of symbols) {
        if (!symbol.range?.contains(cursor)) {
            continue;
        }
        if (symbol.kind === vscode.SymbolKind.Function) {
            return symbol;
        }
        const inner = FindNode(symbol.children ?? [], cursor);
        if (inner !== undefined) {
            return inner;
        }
    }
    return undefined;
}

export async function NodeLine(uri: vscode.Uri, name: string): Promise<vscode.Range | undefined> {
    const symbols = await vscode.commands.executeCommand<vscode.DocumentSymbol[] | undefined>(
        'vscode.executeDocumentSymbolProvider', uri);
    const queue = [...(symbols ?? [])];
    for (let symbol = queue.shift(); symbol !== undefined; symbol = queue.shift()) {
        if (symbol.kind === vscode.SymbolKind.Function && symbol.name === name) {
            return symbol.selectionRange;
        }
        queue.push(...(symbol.children ?? []));
    }
    return undefined;
}
