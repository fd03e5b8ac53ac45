<?php
// Starting page of a new website: change the values below, then the content.
$siteName = 'My Website';
$pageTitle = 'Home';
$description = 'A short description of this page.';

function h(string $text): string
{
    return htmlspecialchars($text, ENT_QUOTES | ENT_HTML5, 'UTF-8');
}
?>
<!doctype html>
<html lang="en">

<head>
  <meta charset="utf-8">
  <meta name="viewport" content="width=device-width, initial-scale=1">
  <title><?= h($pageTitle . ' - ' . $siteName) ?></title>
  <meta name="description" content="<?= h($description) ?>">
  <style>
    body { margin: 0; font-family: sans-serif; line-height: 1.5; color: #222; }
    header, main, footer { max-width: 60em; margin: 0 auto; padding: 1em; }
    header { border-bottom: 1px solid #ccc; }
    nav a { margin-right: 1em; }
    footer { border-top: 1px solid #ccc; font-size: 0.9em; color: #555; }
  </style>
</head>

<body>
  <header>
    <h1><?= h($siteName) ?></h1>
    <nav>
      <a href="index.php">Home</a>
      <a href="#contact">Contact</a>
    </nav>
  </header>

  <main>
    <h2><?= h($pageTitle) ?></h2>
    <p>Welcome. Replace this text with the content of your page.</p>
  </main>

  <footer id="contact">
    <p>&copy; <?= date('Y') ?> <?= h($siteName) ?></p>
  </footer>
</body>

</html>
