// Play from Here: a walk through the dialog from the node at the cursor, as `dialoscope-cli play
// SCRIPT --start NODE --texts --choose ...` prints it. Each walk is played again from the start
// with the choices taken so far; the last position's choices become buttons.
import * as vscode from 'vscode';
import { NodeAtCursor } from './node_at_cursor';
import { LastChoices } from './transcript';
import { RunCli, UnsavedNote } from './programs';
import { Escape, Page } from './webview';

const buttonScript = `
for (const button of document.querySelectorAll('button')) {
    button.addEventListener('click', () => vscode.postMessage({ action: button.dataset.action }));
}`;

export class TPlayView {
    private panel?: vscode.WebviewPanel;
    private script?: vscode.Uri;
    private start = '';
    private choices: string[] = [];

    async Show(editor: vscode.TextEditor): Promise<void> {
        const node = await NodeAtCursor(editor);
        if (node === undefined) {
            vscode.window.showWarningMessage('Dialoscope: place the cursor inside a dialog node.');
            return;
        }
        this.script = editor.document.uri;
        this.start = node;
        this.choices = [];
        this.OpenPanel();
        await this.Render();
    }

    private OpenPanel(): void {
        if (this.panel !== undefined) {
            this.panel.reveal(vscode.ViewColumn.Beside, true);
            return;
        }
        this.panel = vscode.window.createWebviewPanel('dialoscope.play', 'Play',
            { viewColumn: vscode.ViewColumn.Beside, preserveFocus: true }, { enableScripts: true });
        this.panel.onDidDispose(() => (this.panel = undefined));
        this.panel.webview.onDidReceiveMessage((message: { action: string }) => this.OnAction(message.action));
    }

    private async OnAction(action: string): Promise<void> {
        if (action === 'back') {
            this.choices.pop();
        } else if (action === 'restart') {
            this.choices = [];
        } else {
            this.choices.push(action);
        }
        await this.Render();
    }

    private async Render(): Promise<void> {
        if (this.panel === undefined || this.script === undefined) {
            return;
        }
        const args = ['--start', this.start, '--texts'];
        if (this.choices.length > 0) {
            args.push('--choose', this.choices.join(','));
        }
        this.panel.title = `Play: ${this.start}`;
        let body: string;
        try {
            const result = await RunCli('play', this.script, args);
            body = `<pre>${Escape(result.stdout)}</pre>`;
            if (result.status !== 0) {
                body += `<pre class="error">${Escape(result.stderr)}</pre>`;
            } else {
                body += LastChoices(result.stdout).map((c) =>
                    `<button data-action="${c.number}">${c.number}. ${Escape(c.caption)}</button><br>`).join('');
            }
        } catch (error) {
            body = `<pre class="error">${Escape(String(error))}</pre>`;
        }
        const bar = `<div class="bar">From ${Escape(this.start)}${UnsavedNote(this.script)}
            <button data-action="back">back</button><button data-action="restart">restart</button></div>`;
        this.panel.webview.html = Page('Play', bar + body, buttonScript);
    }
}
